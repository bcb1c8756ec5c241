// ZSWindows over the in-memory user32, advapi32 and kernel32: the flags of
// each session method, the identity values through one registry object, and
// the cutting rules and failures of the user and computer names.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"
#include "platform/testing/fake_advapi32.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/fake_user32.h"
#include "sysinfo/windows.h"

namespace zs {
namespace {

using namespace platform;
using platform::testing::FakeAdvapi32;
using platform::testing::FakeKernel32;
using platform::testing::FakeUser32;

constexpr char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

class WindowsFake : public ::testing::Test {
 protected:
  void SetUp() override {
    Libraries libs;
    libs.user32 = user;
    libs.advapi32 = registry;
    libs.kernel32 = kernel;
    windows = create<Windows>(libs);
  }

  void setValue(const char* name, const std::string& text) {
    HKEY key = 0;
    ASSERT_EQ(registry->RegCreateKeyA(kHkeyLocalMachine, kKey, &key), kErrorSuccess);
    registry->RegSetValueExA(key, name, 0, kRegSz, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1));
    registry->RegCloseKey(key);
  }

  template <class Member>
  int errorOf(Member member) {
    try {
      member();
    } catch (const Error& e) {
      return e.number();
    }
    return 0;
  }

  std::shared_ptr<FakeUser32> user = std::make_shared<FakeUser32>();
  std::shared_ptr<FakeAdvapi32> registry = std::make_shared<FakeAdvapi32>();
  std::shared_ptr<FakeKernel32> kernel = std::make_shared<FakeKernel32>();
  std::shared_ptr<Windows> windows;
};

TEST_F(WindowsFake, EachSessionMethodMakesOneCallWithItsFlags) {
  user->answerExit(0);  // refused: nothing is raised
  const std::pair<const char*, UINT> cases[] = {
      {"ReBoot", kEwxReboot}, {"ShutDown", kEwxShutdown}, {"PowerOff", kEwxPowerOff},
      {"LogOff", kEwxLogoff}, {"Force", kEwxForce},
  };
  std::vector<Argument> none;
  for (const auto& [name, flags] : cases) {
    const std::size_t before = user->exits().size();
    EXPECT_TRUE(invoke(*windows, name, CallKind::Method, none).isEmpty()) << name;
    ASSERT_EQ(user->exits().size(), before + 1) << name;
    EXPECT_EQ(user->exits().back(), std::make_pair(flags, DWORD{0})) << name;
  }
  EXPECT_EQ(windows->registryObject(), nullptr) << "the session methods need no registry";
}

// The Wine suite relies on this to show that the session members exist
// without running them.
TEST_F(WindowsFake, ASessionMethodWithAnArgumentIsRefusedBeforeItRuns) {
  for (const char* name : {"ReBoot", "ShutDown", "PowerOff", "LogOff", "Force"}) {
    std::vector<Argument> one = {Argument::byValue(Variant(Long{1}))};
    EXPECT_EQ(errorOf([&] { invoke(*windows, name, CallKind::Method, one); }), 450) << name;
  }
  EXPECT_TRUE(user->exits().empty());
}

TEST_F(WindowsFake, IdentityValuesComeFromTheKeyThroughOneRegistryObject) {
  setValue("RegisteredOwner", "Ana Kovač");
  setValue("ProductName", "Test System");
  setValue("Plus! VersionNumber", "IE 5 6.0");
  setValue("PlusVersionNumber", "the wrong value");
  const std::pair<std::function<String()>, const char16_t*> cases[] = {
      {[&] { return windows->RegisteredOwner(); }, u"Ana Kovač"},
      {[&] { return windows->ProductName(); }, u"Test System"},
      {[&] { return windows->PlusVersionNumber(); }, u"IE 5 6.0"},
      {[&] { return windows->LicensingInfo(); }, u""},  // absent values: ""
      {[&] { return windows->RegisteredOrganization(); }, u""},
      {[&] { return windows->ProductType(); }, u""},
      {[&] { return windows->ProductKey(); }, u""},
      {[&] { return windows->ProductId(); }, u""},
  };
  const Registry* first = nullptr;
  for (const auto& [member, expected] : cases) {
    EXPECT_EQ(member(), expected);
    if (!first) first = windows->registryObject();
    EXPECT_EQ(windows->registryObject(), first) << "one registry object for the lifetime";
  }
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(registry->openHandles(), 0u);
  EXPECT_TRUE(user->exits().empty());
}

TEST_F(WindowsFake, AMissingKeyGivesEmptyText) {
  EXPECT_EQ(windows->ProductName(), u"");
  EXPECT_EQ(windows->ProductId(), u"");
}

TEST_F(WindowsFake, UserNameIsTheReportedBytesWithoutTheNul) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"operator", u"operator"},                // 8 characters: size 9, all 8 back
      {"\xC5\x81ucja", u"\x0141ucja"},          // bytes counted before converting
      {std::string(254, 'u'), std::u16string(254, u'u')},  // fills the buffer exactly
      {std::string(300, 'v'), std::u16string(300, u'v')},  // asked again, larger
  };
  for (const auto& [name, expected] : cases) {
    registry->setUserName(name);
    EXPECT_EQ(windows->UserName(), expected) << name.size();
  }
}

TEST_F(WindowsFake, AFailingUserNameCallGivesNoNameOrError5) {
  registry->failUserName();  // size left at 255
  EXPECT_EQ(windows->UserName(), u"") << "not the buffer's 254 spaces";
  registry->failUserName(4000);  // names a larger buffer, then fails again
  EXPECT_EQ(windows->UserName(), u"");
  registry->failUserName(0xFFFFFFFF);  // an absurd size is not allocated
  EXPECT_EQ(windows->UserName(), u"");
  registry->failUserName(0);
  EXPECT_EQ(errorOf([&] { windows->UserName(); }), 5);
}

TEST_F(WindowsFake, ComputerNameIsCutAtTheFirstNul) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"BUILD-07", u"BUILD-07"},
      {std::string("A\0B", 3), u"A"},  // the first NUL, not the reported size
      {"\xC3\xA9t\xC3\xA9", u"\x00E9t\x00E9"},
  };
  for (const auto& [name, expected] : cases) {
    kernel->setComputerName(name);
    EXPECT_EQ(windows->ComputerName(), expected);
  }
  kernel->setComputerName(std::string(300, 'H'));  // does not fit: nothing written
  EXPECT_EQ(errorOf([&] { windows->ComputerName(); }), 5);
  kernel->failComputerName();
  EXPECT_EQ(errorOf([&] { windows->ComputerName(); }), 5);
}

}  // namespace
}  // namespace zs
