// ZSRegistry over the in-memory fake advapi32: status paths, buffer edges,
// conversions, the appending collections and the dynamic path.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/dispatch.h"
#include "frame/error.h"
#include "frame/keyed_collections.h"
#include "platform/testing/fake_advapi32.h"
#include "registry/registry.h"

namespace zs {
namespace {

using platform::testing::FakeAdvapi32;
using Op = FakeAdvapi32::Operation;
using namespace platform;

// Reports REG_SZ values named "Hollow" with no data bytes at all, as a store
// may for a string written with a zero byte count.
class HollowStrings : public FakeAdvapi32 {
 public:
  LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* length) override {
    const LONG status = FakeAdvapi32::RegQueryValueExA(key, name, reserved, type, data, length);
    if (status == kErrorSuccess && std::strcmp(name, "Hollow") == 0) *length = 0;
    return status;
  }
  LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* length) override {
    const LONG status =
        FakeAdvapi32::RegEnumValueA(key, index, name, nameLength, reserved, type, data, length);
    if (status == kErrorSuccess && std::string(name, *nameLength) == "Hollow") *length = 0;
    return status;
  }
};

class RegistryFake : public ::testing::Test {
 protected:
  void SetUp() override { use(std::make_shared<FakeAdvapi32>()); }
  void TearDown() override { EXPECT_EQ(fake->openHandles(), 0u) << "a key was left open"; }

  void use(std::shared_ptr<FakeAdvapi32> api) {
    fake = std::move(api);
    reg = create<Registry>(Libraries{fake, nullptr});
  }
  // The stored bytes of a value, read straight from the fake.
  std::string stored(const char* path, const char* name, DWORD* type = nullptr) {
    HKEY key = 0;
    fake->RegOpenKeyExA(kHkeyCurrentUser, path, 0, kKeyRead, &key);
    std::string data(1024, '\0');
    DWORD length = static_cast<DWORD>(data.size()), t = 0;
    fake->RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(data.data()), &length);
    fake->RegCloseKey(key);
    if (type) *type = t;
    data.resize(length);
    return data;
  }
  Variant write(Long type, const String& name, const String& data, const String& path = u"T") {
    return reg->WriteValue(zvHKEY_CURRENT_USER, path, type, name, data);
  }

  std::shared_ptr<FakeAdvapi32> fake;
  std::shared_ptr<Registry> reg;
};

TEST_F(RegistryFake, StatusesReturnUnchanged) {
  struct Case {
    const char* what;
    std::function<void(FakeAdvapi32&)> inject;
    std::function<Variant(Registry&)> call;
    Long expected;
  };
  const Long hkcu = zvHKEY_CURRENT_USER;
  const std::vector<Case> cases = {
      {"create ok", {}, [&](Registry& r) { return r.CreateKey(hkcu, u"A\\B"); }, 0},
      {"create denied", [](FakeAdvapi32& f) { f.failWith(Op::CreateKey, 5); },
       [&](Registry& r) { return r.CreateKey(hkcu, u"A"); }, 5},
      {"delete key missing", {}, [&](Registry& r) { return r.DeleteKey(hkcu, u"Nope"); }, 2},
      {"delete key with sub-keys", {}, [&](Registry& r) { return r.DeleteKey(hkcu, u"A"); }, 5},
      {"delete key ok", {}, [&](Registry& r) { return r.DeleteKey(hkcu, u"A\\B"); }, 0},
      {"delete value, key missing", {},
       [&](Registry& r) { return r.DeleteValue(hkcu, u"Nope", u"V"); }, 6},
      {"delete value missing", {}, [&](Registry& r) { return r.DeleteValue(hkcu, u"A", u"V"); }, 2},
      {"delete value refused", [](FakeAdvapi32& f) { f.failWith(Op::DeleteValue, 5); },
       [&](Registry& r) { return r.DeleteValue(hkcu, u"A", u"V"); }, 5},
      {"write, key not created", [](FakeAdvapi32& f) { f.failWith(Op::CreateKey, 5); },
       [&](Registry& r) { return r.WriteValue(hkcu, u"A", zvString, u"V", u"x"); }, 6},
      {"write refused", [](FakeAdvapi32& f) { f.failWith(Op::SetValue, 112); },
       [&](Registry& r) { return r.WriteValue(hkcu, u"A", zvDWord, u"V", u"1"); }, 112},
      {"write of another type", {},
       [&](Registry& r) { return r.WriteValue(hkcu, u"New", 2, u"V", u"x"); }, 0},
      {"write, bad root", {},
       [&](Registry& r) { return r.WriteValue(12345, u"A", zvString, u"V", u"x"); }, 6},
  };
  for (const auto& c : cases) {
    fake->clearFailures();
    if (c.inject) c.inject(*fake);
    const Variant result = c.call(*reg);
    ASSERT_EQ(result.kind(), Kind::Long) << c.what;
    EXPECT_EQ(result.lng(), c.expected) << c.what;
  }
  fake->clearFailures();
  EXPECT_TRUE(reg->KeyExist(hkcu, u"New")) << "another type still creates the key";
  EXPECT_FALSE(reg->ValueExist(hkcu, u"New", u"V"));
}

TEST_F(RegistryFake, ExistenceTests) {
  write(zvBinary, u"B255", String(255, u'x'));
  write(zvBinary, u"B256", String(256, u'x'));
  write(zvString, u"S255", String(255, u'x'));
  EXPECT_TRUE(reg->KeyExist(zvHKEY_CURRENT_USER, u""));
  EXPECT_TRUE(reg->KeyExist(zvHKEY_CURRENT_USER, u"t"));
  EXPECT_FALSE(reg->KeyExist(zvHKEY_CURRENT_USER, u"T\\Missing"));
  for (const char16_t* name : {u"B255", u"B256", u"S255", u"b256"})
    EXPECT_TRUE(reg->ValueExist(zvHKEY_CURRENT_USER, u"T", name)) << u8(name);
  EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"T", u"Missing"));
  EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"Missing", u"B255"));
  fake->failWith(Op::QueryValue, 5);
  EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"T", u"B255"));
}

TEST_F(RegistryFake, WriteAndReadByType) {
  struct Case {
    Long type;
    String data;
    std::string bytes;   // as stored
    Variant read;        // ReadValue
    Variant dataType;    // ReadDataType
  };
  const std::string ff4("\xFF\xFF\xFF\xFF", 4);
  const std::vector<Case> cases = {
      {zvString, u"abc", std::string("abc\0", 4), Variant(String(u"abc")), Variant(Long{1})},
      {zvString, u"", std::string(1, '\0'), Variant(String()), Variant(Long{1})},
      {zvString, u"h\u00e9\u20ac", "h\xC3\xA9\xE2\x82\xAC" + std::string(1, '\0'),
       Variant(String(u"h\u00e9\u20ac")), Variant(Long{1})},
      {zvString, String(254, u'y'), std::string(254, 'y') + '\0', Variant(String(254, u'y')),
       Variant(Long{1})},
      {zvString, String(300, u'\u00e9'), "", Variant(String(300, u'\u00e9')), Variant(Long{1})},
      {zvBinary, u"AB", "AB", Variant(String(u"AB")), Variant(Long{3})},
      {zvBinary, String(u"\u00ff\0\u0080", 3), std::string("\xFF\0\x80", 3),
       Variant(String(u"\u00ff\0\u0080", 3)), Variant(Long{3})},
      {zvBinary, String(256, u'z'), std::string(256, 'z'), Variant(String(256, u'z')),
       Variant(Long{3})},
      {zvDWord, u"255", std::string("\xFF\0\0\0", 4), Variant(String(u"255")), Variant(Long{4})},
      {zvDWord, u"-1", ff4, Variant(String(u"-1")), Variant(Long{4})},
      {zvDWord, u" &H10 ", std::string("\x10\0\0\0", 4), Variant(String(u"16")),
       Variant(Long{4})},
  };
  for (const auto& c : cases) {
    Variant status = write(c.type, u"V", c.data, u"Software\\A\\B");
    EXPECT_EQ(status.lng(), 0);
    DWORD type = 0;
    const std::string bytes = stored("Software\\A\\B", "V", &type);
    EXPECT_EQ(type, static_cast<DWORD>(c.type));
    if (!c.bytes.empty()) {
      EXPECT_EQ(bytes, c.bytes) << u8(c.data);
    }
    EXPECT_TRUE(reg->ReadValue(zvHKEY_CURRENT_USER, u"Software\\A\\B", u"v").sameAs(c.read))
        << u8(c.data);
    EXPECT_TRUE(reg->ReadDataType(zvHKEY_CURRENT_USER, u"Software\\A\\B", u"V").sameAs(c.dataType));
  }
}

TEST_F(RegistryFake, WriteErrorsAfterTheKeyIsCreated) {
  struct Case {
    Long type;
    String data;
    int error;
  };
  const std::vector<Case> cases = {
      {zvBinary, u"", 9},
      {zvBinary, String(32768, u'a'), 6},
      {zvBinary, u"a\u0100", 6},
      {zvDWord, u"abc", 13},
      {zvDWord, u"4294967296", 6},
  };
  for (const auto& c : cases) {
    reg->DeleteKey(zvHKEY_CURRENT_USER, u"E");
    try {
      write(c.type, u"V", c.data, u"E");
      ADD_FAILURE() << "no error for " << u8(c.data.substr(0, 10));
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error);
    }
    EXPECT_TRUE(reg->KeyExist(zvHKEY_CURRENT_USER, u"E"));
    EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"E", u"V"));
  }
  EXPECT_NO_THROW(write(zvBinary, String(32767, u'a'), String(32767, u'a')));
}

TEST_F(RegistryFake, ReadsOfWhatIsNotThere) {
  write(zvString, u"S", u"x");
  HKEY key = 0;
  fake->RegOpenKeyExA(kHkeyCurrentUser, "T", 0, kKeyAllAccess, &key);
  fake->RegSetValueExA(key, "Expand", 0, kRegExpandSz, reinterpret_cast<const BYTE*>("%x%"), 3);
  fake->RegCloseKey(key);
  for (const char16_t* path : {u"T", u"Missing"}) {
    for (const char16_t* name : {u"Nope", u"Expand"}) {
      EXPECT_TRUE(reg->ReadValue(zvHKEY_CURRENT_USER, path, name).isEmpty());
      EXPECT_TRUE(reg->ReadDataType(zvHKEY_CURRENT_USER, path, name).isEmpty());
    }
  }
  fake->failWith(Op::QueryValue, 5);
  EXPECT_TRUE(reg->ReadValue(zvHKEY_CURRENT_USER, u"T", u"S").isEmpty());
}

TEST_F(RegistryFake, StringWithoutDataBytes) {
  use(std::make_shared<HollowStrings>());
  write(zvString, u"Hollow", u"");
  write(zvString, u"Full", u"x");
  const Variant read = reg->ReadValue(zvHKEY_CURRENT_USER, u"T", u"Hollow");
  ASSERT_EQ(read.kind(), Kind::String);
  EXPECT_EQ(read.string(), u"");
  auto values = reg->ListValues(zvHKEY_CURRENT_USER, u"T");
  ASSERT_EQ(values->Count(), 1);
  EXPECT_EQ(values->Item(Variant(Long{1}))->ValueName, u"Full");
}

TEST_F(RegistryFake, ReadOnlyKeyStillGivesItsType) {
  reg->WriteValue(zvHKEY_LOCAL_MACHINE, u"Software\\Vendor", zvString, u"V", u"text");
  fake->denyMachineWrites(true);
  EXPECT_EQ(reg->ReadValue(zvHKEY_LOCAL_MACHINE, u"Software\\Vendor", u"V").string(), u"text");
  EXPECT_EQ(reg->ReadDataType(zvHKEY_LOCAL_MACHINE, u"Software\\Vendor", u"V").lng(), 1);
  EXPECT_EQ(reg->WriteValue(zvHKEY_LOCAL_MACHINE, u"Software\\Vendor", zvString, u"V", u"x").lng(), 5);
  EXPECT_NE(reg->DeleteValue(zvHKEY_LOCAL_MACHINE, u"Software\\Vendor", u"V").lng(), 0);
}

TEST_F(RegistryFake, ListKeysAppendsToOneCollection) {
  for (const char16_t* path : {u"P\\a", u"P\\B", u"Q\\x", u"Q\\y", u"Q\\z"})
    reg->CreateKey(zvHKEY_CURRENT_USER, path);
  EXPECT_EQ(reg->ListKeys(zvHKEY_CURRENT_USER, u"Missing"), nullptr);
  fake->failWith(Op::OpenKey, 5, std::nullopt, "P");
  EXPECT_EQ(reg->ListKeys(zvHKEY_CURRENT_USER, u"P"), nullptr);
  fake->clearFailures();
  auto first = reg->ListKeys(zvHKEY_CURRENT_USER, u"P");
  auto second = reg->ListKeys(zvHKEY_CURRENT_USER, u"Q");
  EXPECT_EQ(first, second);
  ASSERT_EQ(second->Count(), 5);
  std::vector<String> names;
  for (Long i = 1; i <= 5; ++i) names.push_back(second->Item(Variant(i))->KeyNames);
  EXPECT_EQ(names, (std::vector<String>{u"a", u"B", u"x", u"y", u"z"}));
  const int opens = fake->calls(Op::OpenKey);
  reg->ListKeys(zvHKEY_CURRENT_USER, u"");  // the root itself, never opened
  EXPECT_EQ(fake->calls(Op::OpenKey), opens);
  EXPECT_EQ(second->Count(), 7);
  EXPECT_EQ(second->Item(Variant(Long{6}))->KeyNames, u"P");
}

TEST_F(RegistryFake, ListValuesByType) {
  const String longName(300, u'n');
  write(zvString, u"", u"default");
  write(zvDWord, u"Num", u"-5");
  write(zvBinary, u"Bin", String(300, u'\u00fe'));
  write(zvString, u"\u00c9t\u00e9", String(200, u'\u20ac'));
  write(zvString, longName, u"long name");
  HKEY key = 0;
  fake->RegOpenKeyExA(kHkeyCurrentUser, "T", 0, kKeyAllAccess, &key);
  fake->RegSetValueExA(key, "Expand", 0, kRegExpandSz, reinterpret_cast<const BYTE*>("%x%"), 3);
  fake->RegSetValueExA(key, "Multi", 0, kRegMultiSz, reinterpret_cast<const BYTE*>("a\0\0"), 3);
  fake->RegSetValueExA(key, "NoBytes", 0, kRegBinary, nullptr, 0);
  fake->RegCloseKey(key);

  auto values = reg->ListValues(zvHKEY_CURRENT_USER, u"T");
  struct Row {
    String name;
    String data;
    Long type;
  };
  const std::vector<Row> expected = {
      {u"", u"default", 1},
      {u"Num", u"-5", 4},
      {u"Bin", String(300, u'\u00fe'), 3},
      {u"\u00c9t\u00e9", String(200, u'\u20ac'), 1},
      {longName, u"long name", 1},
  };
  ASSERT_EQ(values->Count(), static_cast<Long>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    auto item = values->Item(Variant(static_cast<Long>(i + 1)));
    EXPECT_EQ(item->ValueName, expected[i].name) << i;
    EXPECT_EQ(item->ValueData.string(), expected[i].data) << i;
    EXPECT_EQ(item->DataType, expected[i].type) << i;
  }
  EXPECT_EQ(reg->ListValues(zvHKEY_CURRENT_USER, u"Missing"), values);
  EXPECT_EQ(values->Count(), 5);
  fake->failWith(Op::EnumValue, 1018);  // a failure that repeats for every index
  EXPECT_EQ(reg->ListValues(zvHKEY_CURRENT_USER, u"T")->Count(), 5);
}

TEST_F(RegistryFake, DynamicPath) {
  auto invokeNamed = [&](std::string_view name, std::vector<Argument> args) {
    return invoke(*reg, name, CallKind::Method, args);
  };
  std::vector<Argument> args = {Argument::byReference(Variant(Long{zvHKEY_CURRENT_USER})),
                                Argument::byReference(Variant(String(u"D\\E"))),
                                Argument::byReference(Variant(String(u"4"))),  // coerced to Long
                                Argument::byReference(Variant(String(u"N"))),
                                Argument::byReference(Variant(String(u"7")))};
  EXPECT_EQ(invoke(*reg, methodId(7), CallKind::Method, args).lng(), 0);
  EXPECT_EQ(args[2].value.lng(), 4) << "by-reference argument written back as its declared type";
  EXPECT_EQ(invokeNamed("readvalue", {Argument::byValue(Variant(Long{zvHKEY_CURRENT_USER})),
                                      Argument::byValue(Variant(String(u"D\\E"))),
                                      Argument::byValue(Variant(String(u"N")))})
                .string(),
            u"7");
  std::vector<Argument> list = {Argument::byValue(Variant(Long{zvHKEY_CURRENT_USER})),
                                      Argument::byValue(Variant(String(u"D")))};
  const Variant first = invokeNamed("ListKeys", list);
  const Variant second = invokeNamed("ListKeys", list);
  EXPECT_TRUE(first.sameAs(second));
  EXPECT_EQ(std::dynamic_pointer_cast<RegistryKeys>(second.object())->Count(), 2);
  const Variant none = invokeNamed("ListKeys", {Argument::byValue(Variant(Long{zvHKEY_CURRENT_USER})),
                                                Argument::byValue(Variant(String(u"Nope")))});
  EXPECT_TRUE(none.sameAs(Variant::nothing()));
  try {
    invokeNamed("WriteValue", {Argument::byValue(Variant(Long{zvHKEY_CURRENT_USER})),
                               Argument::byValue(Variant(String(u"D"))),
                               Argument::byValue(Variant(Long{zvBinary})),
                               Argument::byValue(Variant(String(u"N"))),
                               Argument::byValue(Variant(String()))});
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.source(), "VQZavrinStudio.ZSRegistry");
  }
  bool declared = false;
  for (const auto& e : enumerations()) declared |= e.name == "ZSRegistryErrorConstants";
  EXPECT_TRUE(declared);
}

}  // namespace
}  // namespace zs
