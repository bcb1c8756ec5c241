// ZSRegistry over the in-memory fake advapi32: status paths, buffer edges,
// conversions, the appending collections and the dynamic path.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"
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
    Libraries libs;
    libs.advapi32 = fake;
    reg = create<Registry>(libs);
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
  // Stores a value of a type ZSRegistry does not write, straight into the fake.
  void storeRaw(const char* name, DWORD type, const char* bytes, DWORD length) {
    HKEY key = 0;
    fake->RegOpenKeyExA(kHkeyCurrentUser, "T", 0, kKeyAllAccess, &key);
    fake->RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes), length);
    fake->RegCloseKey(key);
  }

  std::shared_ptr<FakeAdvapi32> fake;
  std::shared_ptr<Registry> reg;
};

TEST_F(RegistryFake, StatusesReturnUnchanged) {
  const Long hkcu = zvHKEY_CURRENT_USER;
  const String longLevel(256, u'k');
  const struct {
    const char* what;
    std::function<void(FakeAdvapi32&)> inject;
    std::function<Variant(Registry&)> call;
    Long expected;
    Long last;  // lastStatus(): the cause behind the result
  } cases[] = {
      {"create ok", {}, [&](Registry& r) { return r.CreateKey(hkcu, u"A\\B"); }, 0, 0},
      {"create denied", [](FakeAdvapi32& f) { f.failWith(Op::CreateKey, 5); },
       [&](Registry& r) { return r.CreateKey(hkcu, u"A"); }, 5, 5},
      {"delete key missing", {}, [&](Registry& r) { return r.DeleteKey(hkcu, u"Nope"); }, 2, 2},
      {"delete key with sub-keys", {}, [&](Registry& r) { return r.DeleteKey(hkcu, u"A"); }, 5, 5},
      {"delete value, key missing", {},
       [&](Registry& r) { return r.DeleteValue(hkcu, u"Nope", u"V"); }, 6, 2},
      {"delete value missing", {},
       [&](Registry& r) { return r.DeleteValue(hkcu, u"A", u"V"); }, 2, 2},
      {"write refused", [](FakeAdvapi32& f) { f.failWith(Op::SetValue, 112); },
       [&](Registry& r) { return r.WriteValue(hkcu, u"A", zvDWord, u"V", u"1"); }, 112, 112},
      {"write of another type", {},
       [&](Registry& r) { return r.WriteValue(hkcu, u"New", 2, u"V", u"x"); }, 0, 0},
  };
  for (const auto& c : cases) {
    fake->clearFailures();
    if (c.inject) c.inject(*fake);
    const Variant result = c.call(*reg);
    ASSERT_EQ(result.kind(), Kind::Long) << c.what;
    EXPECT_EQ(result.lng(), c.expected) << c.what;
    EXPECT_EQ(reg->lastStatus(), c.last) << c.what;
  }
  fake->clearFailures();
  EXPECT_TRUE(reg->KeyExist(hkcu, u"New")) << "another type still creates the key";
  EXPECT_FALSE(reg->ValueExist(hkcu, u"New", u"V"));
}

// The status of creating the key is the result when that fails, and no write
// is tried through the key that was never opened.
TEST_F(RegistryFake, WriteReportsWhyTheKeyWasNotCreated) {
  const struct {
    const char* what;
    LONG injected;  // 0: the real path rules answer
    String path;
    Long expected;
  } cases[] = {
      {"busy", kErrorBusy, u"A", kErrorBusy},
      {"denied", kErrorAccessDenied, u"A", kErrorAccessDenied},
      {"damaged store", kErrorBadDb, u"A", kErrorBadDb},
      {"empty level", 0, u"\\A", kErrorInvalidParameter},
      {"level of 256 bytes", 0, u"A\\" + String(256, u'k'), kErrorInvalidParameter},
  };
  for (const auto& c : cases) {
    fake->clearFailures();
    if (c.injected != 0) fake->failWith(Op::CreateKey, c.injected);
    const int sets = fake->calls(Op::SetValue);
    EXPECT_EQ(write(zvString, u"V", u"x", c.path).lng(), c.expected) << c.what;
    EXPECT_EQ(reg->lastStatus(), c.expected) << c.what;
    EXPECT_EQ(fake->calls(Op::SetValue), sets) << c.what;
  }
  fake->clearFailures();
  EXPECT_FALSE(reg->KeyExist(zvHKEY_CURRENT_USER, u"A"));
}

TEST_F(RegistryFake, ExistenceTests) {
  write(zvBinary, u"B256", String(256, u'x'));  // larger than a small probe buffer
  EXPECT_TRUE(reg->KeyExist(zvHKEY_CURRENT_USER, u""));
  EXPECT_TRUE(reg->KeyExist(zvHKEY_CURRENT_USER, u"t"));
  EXPECT_FALSE(reg->KeyExist(zvHKEY_CURRENT_USER, u"T\\Missing"));
  EXPECT_TRUE(reg->ValueExist(zvHKEY_CURRENT_USER, u"T", u"b256"));
  EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"T", u"Missing"));
  EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"Missing", u"B256"));
  fake->failWith(Op::QueryValue, 5);
  EXPECT_FALSE(reg->ValueExist(zvHKEY_CURRENT_USER, u"T", u"B256"));
}

TEST_F(RegistryFake, WriteAndReadByType) {
  const struct {
    Long type;
    String data;
    std::string bytes;  // as stored; empty: not checked
    String read;        // ReadValue
  } cases[] = {
      {zvString, u"", std::string(1, '\0'), u""},
      {zvString, u"h\u00e9\u20ac", "h\xC3\xA9\xE2\x82\xAC" + std::string(1, '\0'), u"h\u00e9\u20ac"},
      {zvString, String(300, u'\u00e9'), "", String(300, u'\u00e9')},
      {zvBinary, String(u"\u00ff\0\u0080", 3), std::string("\xFF\0\x80", 3), String(u"\u00ff\0\u0080", 3)},
      {zvBinary, String(256, u'z'), std::string(256, 'z'), String(256, u'z')},
      {zvDWord, u"-1", std::string(4, '\xFF'), u"-1"},
      {zvDWord, u" &H10 ", std::string("\x10\0\0\0", 4), u"16"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(u8(c.data.substr(0, 10)));
    EXPECT_EQ(write(c.type, u"V", c.data, u"Software\\A\\B").lng(), 0);
    DWORD type = 0;
    const std::string bytes = stored("Software\\A\\B", "V", &type);
    EXPECT_EQ(type, static_cast<DWORD>(c.type));
    if (!c.bytes.empty()) { EXPECT_EQ(bytes, c.bytes); }
    EXPECT_TRUE(reg->ReadValue(zvHKEY_CURRENT_USER, u"Software\\A\\B", u"v").sameAs(Variant(c.read)));
    EXPECT_TRUE(reg->ReadDataType(zvHKEY_CURRENT_USER, u"Software\\A\\B", u"V").sameAs(Variant(c.type)));
  }
}

// The data is converted before the key is created: a write that raises an
// error leaves the store as it was.
TEST_F(RegistryFake, FailedWriteChangesNothing) {
  const struct {
    Long type;
    String data;
    int error;
  } cases[] = {
      {zvBinary, u"", 9},
      {zvBinary, String(32768, u'a'), 6},
      {zvBinary, u"a\u0100", 6},
      {zvDWord, u"abc", 13},
      {zvDWord, u"4294967296", 6},
  };
  for (const auto& c : cases) {
    const int creates = fake->calls(Op::CreateKey);
    try {
      write(c.type, u"V", c.data, u"E");
      ADD_FAILURE() << "no error for " << u8(c.data.substr(0, 10));
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error);
    }
    EXPECT_EQ(fake->calls(Op::CreateKey), creates);
    EXPECT_FALSE(reg->KeyExist(zvHKEY_CURRENT_USER, u"E"));
  }
  EXPECT_NO_THROW(write(zvBinary, String(32767, u'a'), String(32767, u'a')));
}

// A NUL would end the name at the platform: such names are refused as
// invalid (87) before any platform call.
TEST_F(RegistryFake, NamesWithNulAreRefused) {
  const Long hkcu = zvHKEY_CURRENT_USER;
  write(zvString, u"V", u"kept", u"A");
  const String nulPath(u"A\0B", 3);
  const String nulName(u"V\0W", 3);
  const struct {
    const char* what;
    std::function<Variant(Registry&)> call;
    Variant expected;
  } cases[] = {
      {"CreateKey", [&](Registry& r) { return r.CreateKey(hkcu, nulPath); }, Variant(Long{87})},
      {"KeyExist", [&](Registry& r) { return Variant(r.KeyExist(hkcu, nulPath)); },
       Variant(false)},
      {"ValueExist", [&](Registry& r) { return Variant(r.ValueExist(hkcu, u"A", nulName)); },
       Variant(false)},
      {"DeleteKey", [&](Registry& r) { return r.DeleteKey(hkcu, nulPath); }, Variant(Long{87})},
      {"DeleteValue", [&](Registry& r) { return r.DeleteValue(hkcu, u"A", nulName); },
       Variant(Long{87})},
      {"ListKeys", [&](Registry& r) { return Variant(ObjectPtr(r.ListKeys(hkcu, nulPath))); },
       Variant::nothing()},
      {"WriteValue path",
       [&](Registry& r) { return r.WriteValue(hkcu, nulPath, zvString, u"V", u"x"); },
       Variant(Long{87})},
      {"WriteValue name",
       [&](Registry& r) { return r.WriteValue(hkcu, u"A", zvString, nulName, u"x"); },
       Variant(Long{87})},
      {"ReadValue", [&](Registry& r) { return r.ReadValue(hkcu, u"A", nulName); }, Variant()},
      {"ReadDataType", [&](Registry& r) { return r.ReadDataType(hkcu, nulPath, u"V"); },
       Variant()},
  };
  int before = 0;
  for (std::size_t op = 0; op < FakeAdvapi32::kOperationCount; ++op)
    before += fake->calls(static_cast<Op>(op));
  for (const auto& c : cases) {
    EXPECT_TRUE(c.call(*reg).sameAs(c.expected)) << c.what;
    EXPECT_EQ(reg->lastStatus(), kErrorInvalidParameter) << c.what;
  }
  EXPECT_EQ(reg->ListValues(hkcu, nulPath)->Count(), 0);
  EXPECT_EQ(reg->lastStatus(), kErrorInvalidParameter);
  int after = 0;
  for (std::size_t op = 0; op < FakeAdvapi32::kOperationCount; ++op)
    after += fake->calls(static_cast<Op>(op));
  EXPECT_EQ(after, before) << "a platform call was made";
  EXPECT_EQ(reg->ReadValue(hkcu, u"A", u"V").string(), u"kept");
}

TEST_F(RegistryFake, ReadsOfWhatIsNotThereOrOfAnotherTypeAreEmpty) {
  write(zvString, u"S", u"x");
  storeRaw("Expand", kRegExpandSz, "%x%", 3);
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
}

TEST_F(RegistryFake, ListKeysAppendsToOneCollection) {
  for (const char16_t* path : {u"P\\a", u"P\\B", u"Q\\x"}) reg->CreateKey(zvHKEY_CURRENT_USER, path);
  EXPECT_EQ(reg->ListKeys(zvHKEY_CURRENT_USER, u"Missing"), nullptr);
  EXPECT_EQ(reg->lastStatus(), kErrorFileNotFound);
  auto first = reg->ListKeys(zvHKEY_CURRENT_USER, u"P");
  auto second = reg->ListKeys(zvHKEY_CURRENT_USER, u"Q");
  EXPECT_EQ(first, second);
  const int opens = fake->calls(Op::OpenKey);
  reg->ListKeys(zvHKEY_CURRENT_USER, u"");  // the root itself, never opened
  EXPECT_EQ(fake->calls(Op::OpenKey), opens);
  std::vector<String> names;
  for (Long i = 1; i <= second->Count(); ++i) names.push_back(second->Item(Variant(i))->KeyNames);
  EXPECT_EQ(names, (std::vector<String>{u"a", u"B", u"x", u"P", u"Q"}));
}

TEST_F(RegistryFake, ListValuesByType) {
  const String longName(300, u'n');
  write(zvString, u"", u"default");
  write(zvDWord, u"Num", u"-5");
  write(zvBinary, u"Bin", String(300, u'\u00fe'));
  write(zvString, longName, String(200, u'\u20ac'));
  storeRaw("Expand", kRegExpandSz, "%x%", 3);
  storeRaw("NoBytes", kRegBinary, nullptr, 0);

  auto values = reg->ListValues(zvHKEY_CURRENT_USER, u"T");
  const struct {
    String name;
    String data;
    Long type;
  } expected[] = {
      {u"", u"default", 1},
      {u"Num", u"-5", 4},
      {u"Bin", String(300, u'\u00fe'), 3},
      {longName, String(200, u'\u20ac'), 1},
  };
  ASSERT_EQ(values->Count(), static_cast<Long>(std::size(expected)));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    auto item = values->Item(Variant(static_cast<Long>(i + 1)));
    EXPECT_EQ(item->ValueName, expected[i].name) << i;
    EXPECT_EQ(item->ValueData.string(), expected[i].data) << i;
    EXPECT_EQ(item->DataType, expected[i].type) << i;
  }
  EXPECT_EQ(reg->lastStatus(), 0);
  EXPECT_EQ(reg->ListValues(zvHKEY_CURRENT_USER, u"Missing"), values);
  EXPECT_EQ(reg->lastStatus(), kErrorFileNotFound);
  fake->failWith(Op::EnumValue, 1009);  // a failure that repeats for every index
  EXPECT_EQ(reg->ListValues(zvHKEY_CURRENT_USER, u"T")->Count(), 4);
  EXPECT_EQ(reg->lastStatus(), kErrorBadDb);
}

TEST_F(RegistryFake, DynamicPath) {
  auto byVal = [](Variant v) { return Argument::byValue(std::move(v)); };
  const Variant hkcu(Long{zvHKEY_CURRENT_USER});
  std::vector<Argument> args = {Argument::byReference(hkcu),
                                Argument::byReference(Variant(String(u"D\\E"))),
                                Argument::byReference(Variant(String(u"4"))),  // coerced to Long
                                Argument::byReference(Variant(String(u"N"))),
                                Argument::byReference(Variant(String(u"7")))};
  EXPECT_EQ(invoke(*reg, methodId(7), CallKind::Method, args).lng(), 0);
  EXPECT_EQ(args[2].value.lng(), 4) << "by-reference argument written back as its declared type";
  std::vector<Argument> read = {byVal(hkcu), byVal(Variant(String(u"D\\E"))), byVal(Variant(String(u"N")))};
  EXPECT_EQ(invoke(*reg, "readvalue", CallKind::Method, read).string(), u"7");
  std::vector<Argument> none = {byVal(hkcu), byVal(Variant(String(u"Nope")))};
  EXPECT_TRUE(invoke(*reg, "ListKeys", CallKind::Method, none).sameAs(Variant::nothing()));
  std::vector<Argument> bad = {byVal(hkcu), byVal(Variant(String(u"D"))), byVal(Variant(Long{zvBinary})),
                               byVal(Variant(String(u"N"))), byVal(Variant(String()))};
  try {
    invoke(*reg, "WriteValue", CallKind::Method, bad);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.source(), "VQZavrinStudio.ZSRegistry");
  }
}

}  // namespace
}  // namespace zs
