// Names in the store fold exactly as Collection keys do, and a store written
// under the earlier folding keeps every key and value.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "core/case_fold.h"
#include "core/collection.h"
#include "core/error.h"
#include "platform/posix/advapi32_posix.h"
#include "platform/posix/utf8_fold.h"
#include "platform/testing/temp_folder.h"
#include "platform/tests/lower_case_store.h"

namespace zs::platform {
namespace {

using testsupport::TempFolder;

// Over every UTF-16 code unit the two foldings make the same classes: one
// key for the collections exactly when one name for the store.
TEST(StoreNames, FoldIntoTheClassesOfCollectionKeys) {
  std::unordered_map<String, std::string> nameOfKey;
  std::unordered_map<std::string, String> keyOfName;
  int mismatches = 0;
  for (char32_t unit = 1; unit <= 0xFFFF; ++unit) {
    const String text(1, static_cast<char16_t>(unit));
    const String key = foldKey(text);
    const std::string name = posix::foldName(u8(text));
    const auto byKey = nameOfKey.emplace(key, name).first;
    const auto byName = keyOfName.emplace(name, key).first;
    if ((byKey->second != name || byName->second != key) && ++mismatches <= 5) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(unit);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The two layers themselves: a Collection and the store, pair by pair.
TEST(StoreNames, CollectionAndStoreAgreeOnPairs) {
  const struct {
    const char16_t* a;
    const char16_t* b;
    bool same;
  } pairs[] = {
      {u"Key", u"kEY", true},
      {u"\u0490", u"\u0491", true},   // Ґ ґ
      {u"\u0386", u"\u03AC", true},   // Ά ά
      {u"\u0460", u"\u0461", true},   // Ѡ ѡ
      {u"\u03C3", u"\u03C2", true},   // σ ς
      {u"\u00B5", u"\u039C", true},   // micro sign, Μ
      {u"\u0131", u"I", true},        // dotless i
      {u"\u017F", u"s", true},        // long s
      {u"\u0562", u"\u0532", true},   // Armenian բ Բ
      {u"\uFF41", u"\uFF21", true},   // fullwidth a A
      {u"\u0130", u"i", false},       // I with dot
      {u"\u212A", u"K", false},       // Kelvin sign
      {u"\u00DF", u"SS", false},      // sharp s
      {u"\u01C5", u"\u01C6", false},  // title-case digraph
  };
  posix::Advapi32Posix api(posix::StoreLocation::inMemory());
  HKEY key = 0;
  ASSERT_EQ(api.RegCreateKeyA(kHkeyCurrentUser, "Pairs", &key), 0);
  for (const auto& p : pairs) {
    SCOPED_TRACE(u8(p.a) + " " + u8(p.b));
    auto collection = create<Collection>();
    collection->Add(Variant(Long{1}), p.a);
    bool collectionSame = true;
    try {
      collection->Item(Variant(String(p.b)));
    } catch (const Error&) {
      collectionSame = false;
    }
    EXPECT_EQ(collectionSame, p.same);

    ASSERT_EQ(api.RegSetValueExA(key, u8(p.a).c_str(), 0, kRegBinary,
                                 reinterpret_cast<const BYTE*>("1"), 1),
              0);
    const LONG query =
        api.RegQueryValueExA(key, u8(p.b).c_str(), nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(query == kErrorSuccess, collectionSame);
    HKEY sub = 0;
    ASSERT_EQ(api.RegCreateKeyA(key, u8(p.a).c_str(), &sub), 0);
    api.RegCloseKey(sub);
    EXPECT_EQ(api.RegDeleteKeyA(key, u8(p.b).c_str()) == kErrorSuccess, collectionSame);
    api.RegDeleteValueA(key, u8(p.a).c_str());
    api.RegDeleteKeyA(key, u8(p.a).c_str());
  }
  api.RegCloseKey(key);
}

std::string stringValue(Advapi32& api, HKEY root, const char* path, const char* name) {
  HKEY key = 0;
  if (api.RegOpenKeyExA(root, path, 0, kKeyRead, &key) != 0) return "(no key)";
  char data[64];
  DWORD length = sizeof data;
  const LONG s =
      api.RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &length);
  api.RegCloseKey(key);
  return s == 0 ? std::string(data, length > 0 ? length - 1 : 0)
                : "(status " + std::to_string(s) + ")";
}

std::vector<std::string> subKeys(Advapi32& api, const char* path) {
  HKEY key = 0;
  api.RegOpenKeyExA(kHkeyCurrentUser, path, 0, kKeyRead, &key);
  std::vector<std::string> names;
  char name[64];
  for (DWORD i = 0; api.RegEnumKeyA(key, i, name, sizeof name) == 0; ++i) names.emplace_back(name);
  api.RegCloseKey(key);
  return names;
}

std::int64_t userVersion(const std::string& file) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &s, nullptr);
  const std::int64_t version = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
  sqlite3_finalize(s);
  sqlite3_close(db);
  return version;
}

// Opening a version-1 file folds its names again. Names that only the new
// folding joins all stay: the one written first answers to the name, the
// later one is listed and takes the name once the first is deleted.
TEST(StoreNames, EarlierFoldingIsMigratedWithoutLosingAnything) {
  TempFolder folder;
  testsupport::makeLowerCaseStore(folder.path());
  posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
  const HKEY hkcu = kHkeyCurrentUser;
  EXPECT_EQ(stringValue(api, hkcu, "SOFTWARE\\old\\DATA", "mixedCASE"), "x");
  EXPECT_EQ(userVersion(folder.path() + "/user.db"), 2);

  EXPECT_EQ(subKeys(api, "Software\\Old"),
            (std::vector<std::string>{"Data", "\xD2\x90", "\xD2\x91"}));
  EXPECT_EQ(stringValue(api, hkcu, "Software\\Old\\\xD2\x91", "which"), "first");
  EXPECT_EQ(stringValue(api, hkcu, "Software\\Old\\Data", "\xD1\xA1"), "first");

  HKEY data = 0;
  ASSERT_EQ(api.RegOpenKeyExA(hkcu, "Software\\Old\\Data", 0, kKeyAllAccess, &data), 0);
  std::vector<std::string> names;
  char name[64];
  DWORD length = sizeof name;
  for (DWORD i = 0;
       api.RegEnumValueA(data, i, name, &length, nullptr, nullptr, nullptr, nullptr) == 0;
       ++i, length = sizeof name) {
    names.emplace_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"MixedCase", "\xD1\xA0", "\xD1\xA1"}));
  EXPECT_EQ(api.RegDeleteValueA(data, "\xD1\xA1"), 0);
  api.RegCloseKey(data);
  EXPECT_EQ(stringValue(api, hkcu, "Software\\Old\\Data", "\xD1\xA0"), "second");

  HKEY old = 0;
  ASSERT_EQ(api.RegOpenKeyExA(hkcu, "Software\\Old", 0, kKeyAllAccess, &old), 0);
  HKEY first = 0;
  ASSERT_EQ(api.RegOpenKeyExA(old, "\xD2\x90", 0, kKeyAllAccess, &first), 0);
  EXPECT_EQ(api.RegDeleteValueA(first, "which"), 0);
  api.RegCloseKey(first);
  EXPECT_EQ(api.RegDeleteKeyA(old, "\xD2\x91"), 0);
  api.RegCloseKey(old);
  EXPECT_EQ(stringValue(api, hkcu, "Software\\Old\\\xD2\x90", "which"), "second");
}

}  // namespace
}  // namespace zs::platform
