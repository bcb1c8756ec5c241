#include "cli/host_operations.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "cli/host.h"
#include "cli/host_answer.h"
#include "cli/json_values.h"
#include "core/dispatch.h"
#include "core/enumerator.h"
#include "core/error.h"
#include "frame/factory.h"

namespace zs::cli {
namespace {

using nlohmann::json;

// Enumerator batches are fetched in slices of this size, so a large count
// costs memory only for the values that really exist.
constexpr std::size_t kNextSlice = 1024;

[[noreturn]] void badRequest(const std::string& why) {
  throw Error(err::kInvalidCall, why, std::string(Host::kSource));
}

std::string quoted(Field f) { return "Field \"" + std::string(fieldName(f)) + "\""; }

// --- fields ----------------------------------------------------------------

const std::string& stringField(const Request& req, Field f) {
  const json* v = req.get(f);
  if (!v || !v->is_string()) badRequest(quoted(f) + " must be a string");
  return v->get_ref<const std::string&>();
}

bool isWhole(const json* v) { return v && (v->is_number_integer() || v->is_number_unsigned()); }

std::int64_t integerField(const Request& req, Field f, std::int64_t min, std::int64_t max) {
  const json* v = req.get(f);
  if (!isWhole(v)) badRequest(quoted(f) + " must be a whole number");
  if (v->is_number_unsigned() && v->get<std::uint64_t>() > static_cast<std::uint64_t>(max))
    badRequest(quoted(f) + " is out of range");
  const auto n = v->get<std::int64_t>();
  if (n < min || n > max) badRequest(quoted(f) + " is out of range");
  return n;
}

Handle handleField(const Request& req) {
  const json* v = req.get(Field::Handle);
  if (!isWhole(v)) badRequest(quoted(Field::Handle) + " must be a whole number");
  if (v->is_number_unsigned() &&
      v->get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<Handle>::max()))
    raise(err::kObjectRequired);  // no such handle was ever given out
  return v->get<Handle>();
}

std::optional<bool> booleanField(const Request& req, Field f) {
  const json* v = req.get(f);
  if (!v) return std::nullopt;
  if (!v->is_boolean()) badRequest(quoted(f) + " must be true or false");
  return v->get<bool>();
}

CallKind kindField(const Request& req) {
  const json* v = req.get(Field::Kind);
  if (!v) return CallKind::Default;
  if (v->is_string()) {
    const auto& k = v->get_ref<const std::string&>();
    if (k == "method") return CallKind::Method;
    if (k == "get") return CallKind::Get;
    if (k == "let") return CallKind::Let;
    if (k == "set") return CallKind::Set;
  }
  badRequest("Field \"kind\" must be \"method\", \"get\", \"let\" or \"set\"");
}

std::vector<Argument> argumentsField(const Request& req, const HandleTable& handles) {
  std::vector<Argument> args;
  const json* v = req.get(Field::Args);
  if (!v) return args;
  if (!v->is_array()) badRequest("Field \"args\" must be an array");
  if (req.tooManyArguments)
    throw Error(err::kWrongArgCount,
                std::string(standardDescription(err::kWrongArgCount)) + " (more than " +
                    std::to_string(Request::kMaxArguments) + ")",
                std::string(Host::kSource));
  args.reserve(v->size());
  for (const json& a : *v) {
    if (!a.is_object()) badRequest("Each argument must be a JSON object");
    if (auto m = a.find("missing"); m != a.end()) {
      if (!m->is_boolean()) badRequest("Field \"missing\" must be true or false");
      if (m->get<bool>()) {
        args.push_back(Argument::omitted());
        continue;
      }
    }
    bool byRef = false;
    if (auto r = a.find("byref"); r != a.end()) {
      if (!r->is_boolean()) badRequest("Field \"byref\" must be true or false");
      byRef = r->get<bool>();
    }
    args.push_back(Argument{readValue(a, handles), byRef});
  }
  return args;
}

// The "args" member of an invoke answer: each by-reference argument's value
// after the call, null for the others.
std::string argumentsAfter(const std::vector<Argument>& args, HandleTable& handles) {
  std::string out = ",\"args\":[";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) out += ',';
    if (args[i].byRef && !args[i].value.isMissing()) {
      appendValue(out, args[i].value, handles);
    } else {
      out += "null";
    }
  }
  return out + "]";
}

Enumerator& enumeratorAt(const HandleTable& handles, Handle handle) {
  auto* e = dynamic_cast<Enumerator*>(handles.get(handle).get());
  if (!e)
    throw Error(err::kNotSupported,
                std::string(standardDescription(err::kNotSupported)) + " (not an enumerator)",
                std::string(Host::kSource));
  return *e;
}

// --- the operations ----------------------------------------------------------

std::string create(const Request& req, HandleTable& handles) {
  const std::string& cls = stringField(req, Field::Class);
  const std::optional<bool> predeclared = booleanField(req, Field::Predeclared);
  ObjectPtr object;
  if (predeclared.value_or(false)) {
    const ClassInfo* info = findClass(cls);
    if (!info) throw Error(err::kClassNotAvailable, "No class named " + cls);
    object = predeclaredInstance(*info);
  } else {
    object = createObject(cls);
  }
  return success(req.id, ",\"result\":" + valueJson(Variant(object), handles));
}

std::string invokeMember(const Request& req, HandleTable& handles) {
  const ObjectPtr target = handles.get(handleField(req));
  const json* member = req.get(Field::Member);
  const bool byId = req.get(Field::DispId) != nullptr;
  if (member && byId) badRequest("Give either \"member\" or \"dispid\", not both");
  if (!member && !byId) badRequest("Field \"member\" or \"dispid\" is required");
  const CallKind kind = kindField(req);
  std::vector<Argument> args = argumentsField(req, handles);
  Variant result;
  try {
    if (member) {
      result = invoke(*target, stringField(req, Field::Member), kind, args);
    } else {
      // Dispatch ids may be given signed (-4) or as their unsigned 32-bit pattern.
      const auto n = integerField(req, Field::DispId, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::uint32_t>::max());
      result = invoke(*target, static_cast<DispId>(static_cast<std::uint32_t>(n)), kind, args);
    }
  } catch (const Error& e) {
    // By-reference arguments keep what the member wrote before it failed.
    return failure(req.id, e, argumentsAfter(args, handles));
  }
  std::string rest = ",\"result\":" + valueJson(result, handles);
  rest += argumentsAfter(args, handles);
  return success(req.id, rest);
}

std::string release(const Request& req, HandleTable& handles) {
  handles.release(handleField(req));
  return success(req.id);
}

std::string next(const Request& req, HandleTable& handles) {
  const auto count = static_cast<std::size_t>(
      integerField(req, Field::Count, 0, std::numeric_limits<std::int64_t>::max()));
  Enumerator& e = enumeratorAt(handles, handleField(req));
  std::vector<Variant> values;
  while (values.size() < count) {
    const std::size_t want = std::min(kNextSlice, count - values.size());
    std::vector<Variant> slice = e.Next(want);
    const bool end = slice.size() < want;
    for (auto& v : slice) values.push_back(std::move(v));
    if (end) break;
  }
  std::string rest = ",\"result\":[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) rest += ',';
    appendValue(rest, values[i], handles);
  }
  return success(req.id, rest + "]");
}

std::string reset(const Request& req, HandleTable& handles) {
  enumeratorAt(handles, handleField(req)).Reset();
  return success(req.id);
}

constexpr HostOperation kOperations[] = {
    {"create", create}, {"invoke", invokeMember}, {"release", release},
    {"next", next},     {"reset", reset},
};

}  // namespace

const HostOperation* findOperation(std::string_view name) {
  for (const auto& op : kOperations)
    if (op.name == name) return &op;
  return nullptr;
}

}  // namespace zs::cli
