// zavrin reg: query, add and delete registry keys and values through
// ZSRegistry, with root keys and value types spelled as the familiar Windows
// tool spells them, and its query output.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "core/ascii.h"
#include "cli/commands.h"
#include "frame/keyed_collections.h"
#include "platform/types.h"
#include "core/variant_ops.h"
#include "registry/registry.h"

namespace zs::cli {
namespace {

constexpr std::string_view kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.";
// Sub-keys nested deeper than this are not deleted (a path has at most a few
// hundred levels on any real registry).
constexpr int kMaxDepth = 512;

// A failure reported to the user as a message on stderr with exit status 1.
class RegFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Root {
  std::string_view shortName;
  std::string_view longName;
  Long hKey;
};

constexpr Root kRoots[] = {
    {"HKCR", "HKEY_CLASSES_ROOT", zvHKEY_CLASSES_ROOT},
    {"HKCU", "HKEY_CURRENT_USER", zvHKEY_CURRENT_USER},
    {"HKLM", "HKEY_LOCAL_MACHINE", zvHKEY_LOCAL_MACHINE},
    {"HKU", "HKEY_USERS", zvHKEY_USERS},
    {"HKCC", "HKEY_CURRENT_CONFIG", zvHKEY_CURRENT_CONFIG},
};

struct KeyName {
  const Root* root = nullptr;
  std::string path;  // below the root, without a leading or trailing backslash

  std::string display() const {
    return path.empty() ? std::string(root->longName) : std::string(root->longName) + "\\" + path;
  }
  KeyName child(const std::string& name) const {
    return KeyName{root, path.empty() ? name : path + "\\" + name};
  }
};

KeyName parseKey(const std::string& text) {
  const std::size_t slash = text.find('\\');
  const std::string_view rootName = std::string_view(text).substr(0, slash);
  for (const Root& root : kRoots) {
    if (sameName(rootName, root.shortName) || sameName(rootName, root.longName)) {
      std::string path = slash == std::string::npos ? std::string() : text.substr(slash + 1);
      if (!path.empty() && path.back() == '\\') path.pop_back();
      return KeyName{&root, path};
    }
  }
  throw RegFailure("ERROR: Invalid key name.");
}

struct Options {
  std::optional<std::string> valueName;  // /v NAME, or /ve for the default value
  std::optional<std::string> type;       // /t
  std::optional<std::string> data;       // /d
};

Options parseOptions(std::span<const std::string> args, bool allowWrite) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-'))
      throw UsageError("unexpected argument '" + arg + "'");
    const std::string_view flag = std::string_view(arg).substr(1);
    auto operand = [&]() -> std::string {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (sameName(flag, "v")) {
      options.valueName = operand();
    } else if (sameName(flag, "ve")) {
      options.valueName = std::string();
    } else if (sameName(flag, "t") && allowWrite) {
      options.type = operand();
    } else if (sameName(flag, "d") && allowWrite) {
      options.data = operand();
    } else if (sameName(flag, "f")) {
      // Never asks for confirmation anyway.
    } else {
      throw UsageError("unknown option '" + arg + "'");
    }
  }
  return options;
}

std::string_view typeName(Long type) {
  switch (type) {
    case zvString: return "REG_SZ";
    case zvBinary: return "REG_BINARY";
    case zvDWord: return "REG_DWORD";
    default: return "REG_NONE";
  }
}

Long typeNamed(const std::string& name) {
  for (const Long type : {Long{zvString}, Long{zvBinary}, Long{zvDWord}})
    if (sameName(name, typeName(type))) return type;
  throw UsageError("the type must be REG_SZ, REG_BINARY or REG_DWORD");
}

// The message the familiar Windows tool prints for a status.
std::string statusMessage(Long code) {
  static constexpr struct {
    Long code;
    std::string_view text;
  } kMessages[] = {
      {2, kNotFound},
      {5, "ERROR: Access is denied."},
      {6, "ERROR: The handle is invalid."},
      {14, "ERROR: Not enough storage is available to complete this operation."},
      {87, "ERROR: The parameter is incorrect."},
      {112, "ERROR: There is not enough space on the disk."},
      {170, "ERROR: The requested resource is in use."},
      {234, "ERROR: More data is available."},
      {259, "ERROR: No more data is available."},
      {1009, "ERROR: The configuration registry database is corrupt."},
      {1016,
       "ERROR: An I/O operation initiated by the registry failed unrecoverably. The registry "
       "could not read in, or write out, or flush, one of the files that contain the system's "
       "image of the registry."},
      {1018, "ERROR: Illegal operation attempted on a registry key that has been marked for "
             "deletion."},
  };
  for (const auto& m : kMessages)
    if (m.code == code) return std::string(m.text);
  return "ERROR: The operation failed with status " + std::to_string(code) + ".";
}

void checkStatus(Long code) {
  if (code != 0) throw RegFailure(statusMessage(code));
}

// Text for the output, with control characters (C0, DEL and C1) written as
// \xHH, so that no name or data can start a line or steer the terminal.
std::string shown(StringView text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  String out;
  for (const char16_t c : text) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      out += u"\\x";
      out.push_back(static_cast<char16_t>(kHex[c >> 4]));
      out.push_back(static_cast<char16_t>(kHex[c & 0xF]));
    } else {
      out.push_back(c);
    }
  }
  return u8(out);
}

// The data as the query output shows it: text, hexadecimal bytes, or a
// number in 0x form.
std::string dataText(const String& data, Long type) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  if (type == zvBinary) {
    std::string out;
    for (const char16_t c : data) {
      out.push_back(kHex[(c >> 4) & 0xF]);
      out.push_back(kHex[c & 0xF]);
    }
    return out;
  }
  if (type == zvDWord) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<std::uint32_t>(parseLong(data)));
    return buffer;
  }
  return shown(data);
}

// Binary data given as hexadecimal digits, two per byte: one character per
// byte, as ZSRegistry takes binary data, which needs 1 to 32767 bytes.
String binaryFromHex(const std::string& hex) {
  constexpr std::size_t kMaxBytes = 32767;
  if (hex.empty())
    throw RegFailure("ERROR: Invalid binary data: REG_BINARY needs at least one byte.");
  if (hex.size() % 2 != 0) throw RegFailure("ERROR: Invalid binary data: odd number of digits.");
  if (hex.size() / 2 > kMaxBytes)
    throw RegFailure("ERROR: Invalid binary data: more than 32767 bytes.");
  String data;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = digitValue(hex[i]), low = digitValue(hex[i + 1]);
    if (high < 0 || low < 0) throw RegFailure("ERROR: Invalid binary data: not hexadecimal.");
    data.push_back(static_cast<char16_t>(high * 16 + low));
  }
  return data;
}

// REG_DWORD data: decimal digits with an optional sign (-2147483648 to
// 4294967295), or 0x and hexadecimal digits (up to 0xFFFFFFFF); nothing else,
// not even a blank. The result is the signed decimal text ZSRegistry takes.
String dwordText(const std::string& text) {
  const bool hex = text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::string_view digits(text);
  digits.remove_prefix(hex ? 2 : 0);
  const bool negative = !hex && !digits.empty() && digits[0] == '-';
  if (!hex && !digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
  const std::uint64_t limit = negative ? 0x80000000ull : 0xFFFFFFFFull;
  std::uint64_t value = 0;
  bool inRange = true;
  for (const char c : digits) {
    const int digit = digitValue(c, hex ? 16 : 10);
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > limit) {
      inRange = false;
      value = limit;  // keeps the arithmetic bounded while the digits are checked
    }
  }
  const bool wellFormed =
      !digits.empty() && digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") ==
                             std::string_view::npos;
  if (!wellFormed) {
    throw RegFailure("ERROR: Invalid DWORD data '" + shown(u16(text)) +
                     "': give decimal digits with an optional sign, or 0x and hexadecimal digits.");
  }
  if (!inRange) {
    throw RegFailure("ERROR: DWORD data '" + shown(u16(text)) +
                     "' is out of range (-2147483648 to 4294967295, or 0x0 to 0xFFFFFFFF).");
  }
  const auto number = static_cast<std::uint32_t>(negative ? (~value + 1) : value);
  return u16(std::to_string(static_cast<std::int32_t>(number)));
}

std::string valueLine(const String& name, const String& data, Long type) {
  return "    " + (name.empty() ? std::string("(Default)") : shown(name)) + "    " +
         std::string(typeName(type)) + "    " + dataText(data, type) + "\n";
}

// The output is built whole and printed only when every read went through,
// so a failure never leaves a partial listing that looks complete.
int query(const KeyName& key, const Options& options, CommandIo& io) {
  auto reg = create<Registry>();
  const String path = u16(key.path);
  std::string out = "\n" + shown(u16(key.display())) + "\n";
  if (options.valueName) {
    const String name = u16(*options.valueName);
    const Variant data = reg->ReadValue(key.root->hKey, path, name);
    checkStatus(reg->lastStatus());
    const Variant type = reg->ReadDataType(key.root->hKey, path, name);
    checkStatus(reg->lastStatus());
    // A value of a type ZSRegistry does not read is not shown.
    if (data.isEmpty() || type.isEmpty()) throw RegFailure(std::string(kNotFound));
    out += valueLine(name, data.string(), type.lng()) + "\n";
  } else {
    auto values = reg->ListValues(key.root->hKey, path);
    checkStatus(reg->lastStatus());
    for (Long i = 1; i <= values->Count(); ++i) {
      auto item = values->Item(Variant(i));
      out += valueLine(item->ValueName, toText(item->ValueData), item->DataType);
    }
    out += "\n";
    auto keys = reg->ListKeys(key.root->hKey, path);
    checkStatus(reg->lastStatus());
    for (Long i = 1; i <= keys->Count(); ++i)
      out += shown(u16(key.display()) + u"\\" + keys->Item(Variant(i))->KeyNames) + "\n";
  }
  io.out << out;
  return 0;
}

// What `reg add` writes: a key alone, or a value of a type with its data as
// ZSRegistry takes it.
struct Addition {
  bool keyOnly = false;
  Long type = zvString;
  String data;
};

Addition additionOf(const Options& options) {
  if (!options.valueName && !options.type && !options.data) return Addition{true, zvString, {}};
  Addition a;
  // The store refuses a longer name only when it writes the value, after the
  // key has been made.
  if (options.valueName && options.valueName->size() > platform::kMaxValueNameLength)
    checkStatus(platform::kErrorInvalidParameter);
  if (options.type) a.type = typeNamed(*options.type);
  const std::string given = options.data.value_or("");
  a.data = a.type == zvBinary ? binaryFromHex(given)
           : a.type == zvDWord ? dwordText(options.data ? given : "0")
                               : u16(given);
  return a;
}

int add(const KeyName& key, const Options& options, CommandIo& io) {
  auto reg = create<Registry>();
  const String path = u16(key.path);
  // additionOf checks the data before anything is written: a failed add
  // changes nothing.
  const Addition addition = additionOf(options);
  if (addition.keyOnly) {
    checkStatus(reg->CreateKey(key.root->hKey, path).lng());
  } else {
    checkStatus(reg->WriteValue(key.root->hKey, path, addition.type,
                                u16(options.valueName.value_or("")), addition.data)
                    .lng());
  }
  io.out << "The operation completed successfully.\n";
  return 0;
}

// Deletes a key with everything below it, deepest keys first.
void deleteTree(const KeyName& key, int depth) {
  if (depth > kMaxDepth) throw RegFailure("ERROR: The key is nested too deeply.");
  auto lister = create<Registry>();  // a fresh list: ListKeys appends
  auto keys = lister->ListKeys(key.root->hKey, u16(key.path));
  checkStatus(lister->lastStatus());
  for (Long i = 1; i <= keys->Count(); ++i)
    deleteTree(key.child(u8(keys->Item(Variant(i))->KeyNames)), depth + 1);
  checkStatus(create<Registry>()->DeleteKey(key.root->hKey, u16(key.path)).lng());
}

int removeEntry(const KeyName& key, const Options& options, CommandIo& io) {
  if (options.valueName) {
    auto reg = create<Registry>();
    reg->DeleteValue(key.root->hKey, u16(key.path), u16(*options.valueName));
    // The cause: a missing key rather than the deletion through no key.
    checkStatus(reg->lastStatus());
  } else {
    if (key.path.empty()) throw RegFailure("ERROR: Invalid key name.");
    deleteTree(key, 0);
  }
  io.out << "The operation completed successfully.\n";
  return 0;
}

// The operation and its options, checked; raises UsageError.
std::pair<bool, Options> operationAndOptions(std::span<const std::string> args) {
  if (args.size() < 2) throw UsageError("needs an operation and a key");
  const std::string& operation = args[0];
  const bool isAdd = sameName(operation, "add");
  if (!isAdd && !sameName(operation, "query") && !sameName(operation, "delete"))
    throw UsageError("the operation must be query, add or delete");
  return {isAdd, parseOptions(args.subspan(2), isAdd)};
}

}  // namespace

void parseRegCommandLine(std::span<const std::string> args) {
  const auto [isAdd, options] = operationAndOptions(args);
  parseKey(args[1]);
  if (isAdd) additionOf(options);
}

int regCommand(std::span<const std::string> args, CommandIo& io) {
  const auto [isAdd, options] = operationAndOptions(args);
  const std::string& operation = args[0];
  try {
    const KeyName key = parseKey(args[1]);
    if (isAdd) return add(key, options, io);
    if (sameName(operation, "query")) return query(key, options, io);
    return removeEntry(key, options, io);
  } catch (const RegFailure& e) {
    io.err << e.what() << "\n";
    return 1;
  }
}

}  // namespace zs::cli
