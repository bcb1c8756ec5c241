// ZSRegistry over the Linux registry store in a temporary folder: what one
// object writes another reads back, and a ZSRegistry made by the factory
// uses the store that ZAVRIN_REGISTRY_DIR names.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <vector>

#include "core/dispatch.h"
#include "frame/factory.h"
#include "platform/posix/advapi32_posix.h"
#include "platform/testing/temp_folder.h"
#include "registry/registry.h"

namespace zs {
namespace {

using platform::testsupport::TempFolder;

// The folder of the process's own store, set before anything opens it.
TempFolder& processStore() {
  static TempFolder folder;
  return folder;
}
const bool kStoreMoved = [] {
  return setenv("ZAVRIN_REGISTRY_DIR", processStore().path().c_str(), 1) == 0;
}();

std::shared_ptr<Registry> registryIn(const std::string& folder) {
  platform::Libraries libraries;
  libraries.advapi32 = std::make_shared<platform::posix::Advapi32Posix>(
      platform::posix::StoreLocation::inFolder(folder));
  return create<Registry>(libraries);
}

TEST(RegistryStore, WhatOneObjectWritesAnotherReads) {
  TempFolder folder;
  const String app = u"Software\\Zs\\App";
  const struct {
    Long type;
    const char16_t* name;
    String data;
  } written[] = {
      {zvString, u"Title", u"Gr\u00fc\u00dfe \u20ac"},
      {zvDWord, u"Count", u"-42"},
      {zvBinary, u"Raw", String(1000, u'\u00ff')},
  };
  {
    auto writer = registryIn(folder.path());
    for (const auto& w : written)
      EXPECT_EQ(writer->WriteValue(zvHKEY_CURRENT_USER, app, w.type, w.name, w.data).lng(), 0);
    EXPECT_EQ(writer->CreateKey(zvHKEY_CURRENT_USER, app + u"\\Sub").lng(), 0);
  }
  auto reader = registryIn(folder.path());
  EXPECT_EQ(reader->ReadValue(zvHKEY_CURRENT_USER, u"software\\zs\\app", u"TITLE").string(),
            written[0].data);
  auto values = reader->ListValues(zvHKEY_CURRENT_USER, app);
  ASSERT_EQ(values->Count(), 3);
  for (Long i = 1; i <= 3; ++i)
    EXPECT_EQ(values->Item(Variant(i))->ValueData.string(), written[i - 1].data);
  auto keys = reader->ListKeys(zvHKEY_CURRENT_USER, app);
  ASSERT_EQ(keys->Count(), 1);
  EXPECT_EQ(keys->Item(Variant(Long{1}))->KeyNames, u"Sub");
  EXPECT_EQ(reader->DeleteKey(zvHKEY_CURRENT_USER, app).lng(), 5);
  EXPECT_EQ(reader->DeleteValue(zvHKEY_CURRENT_USER, app, u"Raw").lng(), 0);
  EXPECT_FALSE(reader->ValueExist(zvHKEY_CURRENT_USER, app, u"Raw"));
}

TEST(RegistryStore, FactoryObjectUsesTheNamedStore) {
  ASSERT_TRUE(kStoreMoved);
  ObjectPtr reg = createObject("VQZavrinStudio.ZSRegistry");
  ASSERT_NE(reg, nullptr);
  std::vector<Argument> args;
  for (Variant v : {Variant(Long{zvHKEY_CURRENT_USER}), Variant(String(u"Software\\Factory")),
                    Variant(Long{zvString}), Variant(String(u"Where")), Variant(String(u"here"))})
    args.push_back(Argument::byValue(v));
  EXPECT_EQ(invoke(*reg, "WriteValue", CallKind::Method, args).lng(), 0);
  EXPECT_TRUE(std::filesystem::exists(processStore().path() + "/user.db"));
  auto other = registryIn(processStore().path());
  EXPECT_EQ(other->ReadValue(zvHKEY_CURRENT_USER, u"Software\\Factory", u"Where").string(),
            u"here");
}

}  // namespace
}  // namespace zs
