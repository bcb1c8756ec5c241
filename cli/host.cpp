#include "cli/host.h"

#include <istream>
#include <limits>
#include <new>
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/json_text.h"
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

// --- reading lines -------------------------------------------------------

enum class LineStatus { Line, TooLong, End };

// Reads up to the next '\n', at most `limit` bytes kept; a longer line is
// consumed to its end and reported as TooLong. A trailing '\r' is dropped.
LineStatus readLine(std::istream& in, std::string& line, std::size_t limit) {
  line.clear();
  std::streambuf* buf = in.rdbuf();
  bool any = false;
  bool tooLong = false;
  for (;;) {
    const auto c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in.setstate(std::ios::eofbit);
      if (!any) return LineStatus::End;
      break;
    }
    any = true;
    if (c == '\n') break;
    if (line.size() < limit) {
      line.push_back(static_cast<char>(c));
    } else {
      tooLong = true;
    }
  }
  if (tooLong) return LineStatus::TooLong;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return LineStatus::Line;
}

bool blank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// --- parsing requests ----------------------------------------------------

struct DepthExceeded {};

// Parses a request line. `id` receives the request's id as soon as the parser
// has read it, so that a request that turns out malformed later still gets an
// answer with its id.
json parseRequest(std::string_view line, json& id) {
  bool idNext = false;
  auto watch = [&](int depth, json::parse_event_t event, json& parsed) {
    if (depth > Host::kMaxDepth) throw DepthExceeded{};
    if (depth == 1 && event == json::parse_event_t::key) {
      idNext = parsed.is_string() && parsed.get_ref<const std::string&>() == "id";
    } else if (depth == 1 && event == json::parse_event_t::value && idNext) {
      id = parsed;
      idNext = false;
    } else if (depth == 1 && event == json::parse_event_t::object_start) {
      idNext = false;
    }
    return true;
  };
  try {
    return json::parse(line.begin(), line.end(), watch);
  } catch (const json::parse_error& e) {
    throw Error(err::kInvalidCall, std::string("Malformed request: ") + e.what(),
                std::string(Host::kSource));
  } catch (const DepthExceeded&) {
    throw Error(err::kInvalidCall,
                "Malformed request: nested deeper than " + std::to_string(Host::kMaxDepth) +
                    " levels",
                std::string(Host::kSource));
  }
}

const json* field(const json& req, const char* name) {
  auto it = req.find(name);
  return it == req.end() ? nullptr : &*it;
}

const std::string& stringField(const json& req, const char* name) {
  const json* f = field(req, name);
  if (!f || !f->is_string())
    badRequest(std::string("Field \"") + name + "\" must be a string");
  return f->get_ref<const std::string&>();
}

std::int64_t integerField(const json& req, const char* name, std::int64_t min, std::int64_t max) {
  const json* f = field(req, name);
  if (!f || !(f->is_number_integer() || f->is_number_unsigned()))
    badRequest(std::string("Field \"") + name + "\" must be a whole number");
  if (f->is_number_unsigned() && f->get<std::uint64_t>() > static_cast<std::uint64_t>(max))
    badRequest(std::string("Field \"") + name + "\" is out of range");
  const auto n = f->get<std::int64_t>();
  if (n < min || n > max) badRequest(std::string("Field \"") + name + "\" is out of range");
  return n;
}

Handle handleField(const json& req) {
  const json* f = field(req, "handle");
  if (!f || !(f->is_number_integer() || f->is_number_unsigned()))
    badRequest("Field \"handle\" must be a whole number");
  if (f->is_number_unsigned() &&
      f->get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<Handle>::max()))
    raise(err::kObjectRequired);  // no such handle was ever given out
  return f->get<Handle>();
}

CallKind kindField(const json& req) {
  const json* f = field(req, "kind");
  if (!f) return CallKind::Default;
  if (f->is_string()) {
    const auto& k = f->get_ref<const std::string&>();
    if (k == "method") return CallKind::Method;
    if (k == "get") return CallKind::Get;
    if (k == "let") return CallKind::Let;
    if (k == "set") return CallKind::Set;
  }
  badRequest("Field \"kind\" must be \"method\", \"get\", \"let\" or \"set\"");
}

std::vector<Argument> argumentsField(const json& req, const HandleTable& handles) {
  std::vector<Argument> args;
  const json* f = field(req, "args");
  if (!f) return args;
  if (!f->is_array()) badRequest("Field \"args\" must be an array");
  args.reserve(f->size());
  for (const json& a : *f) {
    if (!a.is_object()) badRequest("Each argument must be a JSON object");
    if (const json* m = field(a, "missing")) {
      if (!m->is_boolean()) badRequest("Field \"missing\" must be true or false");
      if (m->get<bool>()) {
        args.push_back(Argument::omitted());
        continue;
      }
    }
    bool byRef = false;
    if (const json* r = field(a, "byref")) {
      if (!r->is_boolean()) badRequest("Field \"byref\" must be true or false");
      byRef = r->get<bool>();
    }
    args.push_back(Argument{readValue(a, handles), byRef});
  }
  return args;
}

// --- answers ---------------------------------------------------------------

std::string idText(const json& id) {
  return id.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string success(const json& id, const std::string& rest = {}) {
  return "{\"id\":" + idText(id) + ",\"ok\":true" + rest + "}";
}

std::string failure(const json& id, const Error& e, const std::string& rest = {}) {
  std::string out = "{\"id\":" + idText(id) + ",\"ok\":false,\"error\":{\"number\":" +
                    std::to_string(e.number()) + ",\"description\":";
  appendJsonString(out, std::string_view(e.description()));
  out += ",\"source\":";
  appendJsonString(out, std::string_view(e.source().empty() ? Host::kSource : e.source()));
  out += "}" + rest + "}";
  return out;
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

}  // namespace

Host::Host(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

int Host::run() {
  std::string line;
  for (;;) {
    const LineStatus status = readLine(in_, line, kMaxLineBytes);
    if (status == LineStatus::End) return 0;
    std::string reply;
    if (status == LineStatus::TooLong) {
      reply = failure(json(nullptr),
                      Error(err::kInvalidCall,
                            "Malformed request: longer than " + std::to_string(kMaxLineBytes) +
                                " bytes",
                            std::string(kSource)));
    } else if (blank(line)) {
      continue;
    } else {
      reply = answer(line);
    }
    out_ << reply << '\n';
    out_.flush();
    if (!out_) return 1;
  }
}

std::string Host::answer(std::string_view line) {
  json id = nullptr;
  try {
    const json req = parseRequest(line, id);
    if (!req.is_object()) {
      id = nullptr;
      badRequest("A request must be a JSON object");
    }
    id = req.contains("id") ? req.at("id") : json(nullptr);
    const std::string& op = stringField(req, "op");

    if (op == "create") {
      const std::string& cls = stringField(req, "class");
      const json* predeclared = field(req, "predeclared");
      if (predeclared && !predeclared->is_boolean())
        badRequest("Field \"predeclared\" must be true or false");
      ObjectPtr object;
      try {
        if (predeclared && predeclared->get<bool>()) {
          const ClassInfo* info = findClass(cls);
          if (!info) throw Error(err::kClassNotAvailable, "No class named " + cls);
          object = predeclaredInstance(*info);
        } else {
          object = createObject(cls);
        }
      } catch (Error& e) {
        if (e.source().empty()) e.setSource(std::string(kSource));
        throw;
      }
      return success(id, ",\"result\":" + valueJson(Variant(object), handles_));
    }

    if (op == "invoke") {
      const ObjectPtr target = handles_.get(handleField(req));
      const json* member = field(req, "member");
      const json* dispid = field(req, "dispid");
      if (member && dispid) badRequest("Give either \"member\" or \"dispid\", not both");
      if (!member && !dispid) badRequest("Field \"member\" or \"dispid\" is required");
      const CallKind kind = kindField(req);
      std::vector<Argument> args = argumentsField(req, handles_);
      Variant result;
      try {
        if (member) {
          if (!member->is_string()) badRequest("Field \"member\" must be a string");
          result = invoke(*target, member->get_ref<const std::string&>(), kind, args);
        } else {
          // Dispatch ids may be given signed (-4) or as their unsigned 32-bit pattern.
          const auto n = integerField(req, "dispid", std::numeric_limits<std::int32_t>::min(),
                                      std::numeric_limits<std::uint32_t>::max());
          result = invoke(*target, static_cast<DispId>(static_cast<std::uint32_t>(n)), kind, args);
        }
      } catch (const Error& e) {
        // By-reference arguments keep what the member wrote before it failed.
        return failure(id, e, argumentsAfter(args, handles_));
      }
      std::string rest = ",\"result\":" + valueJson(result, handles_);
      rest += argumentsAfter(args, handles_);
      return success(id, rest);
    }

    if (op == "release") {
      handles_.release(handleField(req));
      return success(id);
    }

    if (op == "next") {
      const auto count = static_cast<std::size_t>(
          integerField(req, "count", 0, std::numeric_limits<std::int64_t>::max()));
      Enumerator& e = enumeratorAt(handles_, handleField(req));
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
        appendValue(rest, values[i], handles_);
      }
      return success(id, rest + "]");
    }

    if (op == "reset") {
      enumeratorAt(handles_, handleField(req)).Reset();
      return success(id);
    }

    badRequest("Unknown operation \"" + op + "\"");
  } catch (const Error& e) {
    return failure(id, e);
  } catch (const std::bad_alloc&) {
    return failure(id, Error(err::kOutOfMemory));
  } catch (const std::exception& e) {
    return failure(id, Error(51, std::string("Internal error: ") + e.what()));
  }
}

}  // namespace zs::cli
