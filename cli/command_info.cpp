// zavrin info [--json] [--drive PATH] [--file PATH]: every member of the
// system-information classes that only reads the system, one line each, for a
// drive (the root file system unless --drive names another) and a file (this
// program unless --file names another). A member that fails shows its error;
// the command still answers 0.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/constants.h"
#include "cli/info_subjects.h"
#include "cli/json_text.h"
#include "cli/view_format.h"
#include "core/dispatch.h"
#include "core/error_mapping.h"
#include "frame/catalogue.h"
#include "frame/factory.h"

namespace zs::cli {
namespace {

struct Reading {
  std::string_view className;
  std::string label;  // Member, or Member(zvaConstant)
  std::optional<Variant> value;
  std::optional<Error> error;
};

std::string thisProgram() {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

// A member whose one required parameter takes an enumeration is read once for
// each of its constants.
const EnumInfo* enumerationParameter(const Member& member) {
  if (member.params.size() != 1 || member.params[0].type.type != Type::Enum) return nullptr;
  return findEnumeration(member.params[0].type.name);
}

void readMember(Object& object, const ClassInfo& cls, std::string_view name,
                std::vector<Reading>& out) {
  const Member* member = findMember(cls, name, CallKind::Default);
  if (!member) {
    out.push_back({cls.name, std::string(name), std::nullopt, Error(438)});
    return;
  }
  auto read = [&](std::string label, std::vector<Argument> args) {
    Reading r{cls.name, std::move(label), std::nullopt, std::nullopt};
    try {
      r.value = invoke(object, *member, CallKind::Default, args);
    } catch (...) {
      r.error = currentError();
    }
    out.push_back(std::move(r));
  };
  if (const EnumInfo* e = enumerationParameter(*member)) {
    for (const auto& [constant, value] : e->values)
      read(std::string(name) + "(" + std::string(constant) + ")", {Argument::byValue(Variant(value))});
    return;
  }
  read(std::string(name), {});
}

std::vector<Reading> readAll(const std::string& drive, const std::string& file) {
  std::vector<Reading> out;
  for (const InfoSubject& subject : infoSubjects()) {
    const ClassInfo* cls = findClass(subject.className);
    if (!cls || !cls->built()) continue;
    const ObjectPtr object = createObject(*cls);
    if (!subject.setup.empty()) {
      std::vector<Argument> value{
          Argument::byValue(Variant(u16(subject.setup == "DriveName" ? drive : file)))};
      invoke(*object, subject.setup, CallKind::Let, value);
    }
    for (std::string_view member : subject.members) readMember(*object, *cls, member, out);
  }
  return out;
}

}  // namespace

int infoCommand(std::span<const std::string> args, CommandIo& io) {
  bool json = false;
  std::string drive = "/";
  std::string file = thisProgram();
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      json = true;
    } else if (a == "--drive" || a.starts_with("--drive=")) {
      drive = optionValue(args, i, "a path");
    } else if (a == "--file" || a.starts_with("--file=")) {
      file = optionValue(args, i, "a path");
    } else {
      throw UsageError("unexpected argument '" + a + "'");
    }
  }
  const std::vector<Reading> readings = readAll(drive, file);
  const ViewLimits limits;
  if (json) {
    std::string doc = "[";
    for (const Reading& r : readings) {
      if (doc.size() > 1) doc += ",\n";
      doc += "{\"class\":";
      appendJsonString(doc, r.className);
      doc += ",\"member\":";
      appendJsonString(doc, std::string_view(r.label));
      if (r.error) {
        doc += ",\"error\":";
        appendErrorJson(doc, *r.error);
      } else {
        doc += ",\"value\":";
        appendViewJson(doc, inspect(*r.value, limits));
      }
      doc += '}';
    }
    io.out << doc << "]\n";
    return 0;
  }
  for (const Reading& r : readings) {
    io.out << r.className << '.' << r.label << ": ";
    if (r.error) {
      io.out << "Error " << r.error->number() << ": " << r.error->description() << "\n";
    } else {
      io.out << viewText(inspect(*r.value, limits), 2) << "\n";
    }
  }
  return 0;
}

}  // namespace zs::cli
