// A program outside the project, built against the installed library: the
// typed API, the dynamic API, an error, and the registry store (SQLite).
#include <iostream>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"
#include "frame/factory.h"
#include "registry/registry.h"
#include "utils/numbers.h"

int main() {
  auto numbers = zs::create<zs::Numbers>();
  zs::String text = u"11111111";
  const zs::Variant hex = numbers->BinToHex(text);
  std::cout << "BinToHex: " << zs::u8(hex.string()) << ", argument " << zs::u8(text) << "\n";

  zs::ObjectPtr object = zs::createObject("VQZavrinStudio.ZSNumbers");
  std::vector<zs::Argument> args{zs::Argument::byReference(zs::Variant(zs::String(u"101")))};
  const zs::Variant five = zs::invoke(*object, "BinToDec", zs::CallKind::Method, args);
  std::cout << "BinToDec: " << zs::kindName(five.kind()) << " " << five.integer() << "\n";

  try {
    std::vector<zs::Argument> bad{zs::Argument::byValue(zs::Variant(zs::String(u"G")))};
    zs::invoke(*object, "HexToDec", zs::CallKind::Method, bad);
    std::cout << "HexToDec: no error\n";
  } catch (const zs::Error& e) {
    std::cout << "HexToDec: error " << e.number() << " from " << e.source() << "\n";
  }

  auto registry = zs::create<zs::Registry>();
  const zs::String key = u"Software\\ZavrinConsumer";
  const zs::Variant created = registry->CreateKey(zs::zvHKEY_CURRENT_USER, key);
  std::cout << "CreateKey: " << created.lng() << ", KeyExist: "
            << (registry->KeyExist(zs::zvHKEY_CURRENT_USER, key) ? "yes" : "no") << "\n";
  return 0;
}
