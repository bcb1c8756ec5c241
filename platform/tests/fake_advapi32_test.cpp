#include <gtest/gtest.h>

#include "platform/testing/fake_advapi32.h"

namespace zs::platform::testing {
namespace {

using Op = FakeAdvapi32::Operation;

TEST(FakeAdvapi32, InjectedFailuresMatchOperationKeyAndName) {
  FakeAdvapi32 fake;
  HKEY key = 0;
  ASSERT_EQ(fake.RegCreateKeyA(kHkeyCurrentUser, "Software\\A", &key), 0);
  fake.failWith(Op::OpenKey, kErrorAccessDenied, kHkeyCurrentUser, "software\\a");
  fake.failWith(Op::SetValue, kErrorMoreData);
  HKEY opened = 77;
  EXPECT_EQ(fake.RegOpenKeyExA(kHkeyCurrentUser, "SOFTWARE\\A", 0, kKeyRead, &opened), kErrorAccessDenied);
  EXPECT_EQ(opened, 0u);
  // Another root is not injected.
  EXPECT_EQ(fake.RegOpenKeyExA(kHkeyLocalMachine, "Software\\A", 0, kKeyRead, &opened), kErrorFileNotFound);
  EXPECT_EQ(fake.RegSetValueExA(key, "v", 0, kRegBinary, nullptr, 0), kErrorMoreData);
  EXPECT_EQ(fake.calls(Op::OpenKey), 2);
  fake.clearFailures();
  EXPECT_EQ(fake.RegSetValueExA(key, "v", 0, kRegBinary, nullptr, 0), kErrorSuccess);
  EXPECT_EQ(fake.openHandles(), 1u);
  EXPECT_EQ(fake.RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(fake.openHandles(), 0u);
}

TEST(FakeAdvapi32, MachineHiveAsAUserWithoutAdministratorRights) {
  FakeAdvapi32 fake;
  HKEY key = 0;
  ASSERT_EQ(fake.RegCreateKeyA(kHkeyLocalMachine, "Software\\Vendor", &key), 0);
  fake.RegCloseKey(key);
  fake.denyMachineWrites(true);
  EXPECT_EQ(fake.RegOpenKeyExA(kHkeyLocalMachine, "Software\\Vendor", 0, kKeyAllAccess, &key),
            kErrorAccessDenied);
  // An existing key opens for reading through create; a new one is refused.
  ASSERT_EQ(fake.RegCreateKeyA(kHkeyLocalMachine, "Software\\Vendor", &key), 0);
  EXPECT_EQ(fake.RegSetValueExA(key, "v", 0, kRegBinary, nullptr, 0), kErrorAccessDenied);
  fake.RegCloseKey(key);
  HKEY none = 5;
  EXPECT_EQ(fake.RegCreateKeyA(kHkeyLocalMachine, "Software\\New", &none), kErrorAccessDenied);
  EXPECT_EQ(none, 0u);
  EXPECT_EQ(fake.RegDeleteKeyA(kHkeyLocalMachine, "Software\\Vendor"), kErrorAccessDenied);
  // The user's own hive is unaffected.
  ASSERT_EQ(fake.RegCreateKeyA(kHkeyCurrentUser, "Software\\New", &key), 0);
  fake.RegCloseKey(key);
}

}  // namespace
}  // namespace zs::platform::testing
