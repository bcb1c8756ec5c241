// ZSWinVersion over the in-memory kernel32: the decision table, the snapshot
// taken at Initialize against the per-call queries, and ExtraInfo's cut.
#include <gtest/gtest.h>

#include <cstring>

#include "core/dispatch.h"
#include "platform/testing/fake_kernel32.h"
#include "sysinfo/win_version.h"

namespace zs {
namespace {

using platform::testing::FakeKernel32;

platform::OSVERSIONINFOA record(platform::DWORD platformId, platform::DWORD major,
                                platform::DWORD minor, platform::DWORD build = 0,
                                const char* csd = "") {
  platform::OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  info.dwPlatformId = platformId;
  info.dwMajorVersion = major;
  info.dwMinorVersion = minor;
  info.dwBuildNumber = build;
  std::strncpy(info.szCSDVersion, csd, sizeof info.szCSDVersion - 1);
  return info;
}

std::shared_ptr<WinVersion> over(const std::shared_ptr<FakeKernel32>& fake) {
  platform::Libraries libs;
  libs.kernel32 = fake;
  return create<WinVersion>(libs);
}

TEST(WinVersion, DecisionTable) {
  struct Case {
    platform::DWORD platformId, major, minor;
    const char16_t* platform;
    const char16_t* system;
  } cases[] = {
      {0, 3, 10, u"Windows 32", u"Windows 32"},
      {1, 4, 0, u"Windows 95/98/ME", u"Windows 95"},
      {1, 77, 10, u"Windows 95/98/ME", u"Windows 98"},  // major not examined
      {1, 4, 90, u"Windows 95/98/ME", u"Windows ME"},
      {1, 4, 3, u"Windows 95/98/ME", u"Windows 32"},
      {2, 4, 0, u"Windows NT/2K/XP", u"Windows NT"},
      {2, 0xFFFFFFFF, 0, u"Windows NT/2K/XP", u"Windows NT"},  // signed: -1 < 5
      {2, 5, 0, u"Windows NT/2K/XP", u"Windows 2K"},
      {2, 5, 1, u"Windows NT/2K/XP", u"Windows XP"},
      {2, 5, 2, u"Windows NT/2K/XP", u"Windows 32"},
      {2, 6, 1, u"Windows NT/2K/XP", u"Windows 32"},
      {3, 5, 1, u"", u"Windows 32"},
  };
  for (const auto& c : cases) {
    auto fake = std::make_shared<FakeKernel32>();
    fake->setVersion(record(c.platformId, c.major, c.minor));
    auto v = over(fake);
    EXPECT_EQ(v->OperatingPlatform(), c.platform) << c.platformId << " " << c.major << "." << c.minor;
    EXPECT_EQ(v->OperatingSystem(), c.system) << c.platformId << " " << c.major << "." << c.minor;
    const Long code = systemCode(c.platformId, c.major, c.minor);
    const Boolean tests[] = {v->IsWindows32(), v->IsWindows95(), v->IsWindows98(), v->IsWindowsME(),
                             v->IsWindowsNT(), v->IsWindows2K(), v->IsWindowsXP()};
    for (Long i = 0; i < 7; ++i) EXPECT_EQ(tests[i], i == code) << "IsWindows #" << i;
  }
}

TEST(WinVersion, NumbersAreTheSnapshotNamesAskAgain) {
  auto fake = std::make_shared<FakeKernel32>();
  fake->setVersion(record(1, 4, 10, 0x040A0B6E, " A "));
  auto v = over(fake);
  fake->setVersion(record(2, 5, 1, 2600, "Service Pack 3"));
  EXPECT_EQ(v->MajorVersion(), 4);
  EXPECT_EQ(v->MinorVersion(), 10);
  EXPECT_EQ(v->BuildNumber(), 0x040A0B6E) << "the whole field, high word included";
  EXPECT_EQ(v->ExtraInfo(), u"A");
  EXPECT_EQ(v->OperatingSystem(), u"Windows XP") << "asked afresh";
  EXPECT_EQ(fake->versionCalls(), 2);
}

TEST(WinVersion, ExtraInfoCut) {
  const std::pair<const char*, String> cases[] = {
      {" A ", u"A"},
      {" B", String(u"B") + u'\0'},  // the NUL after the text stays
      {"Service Pack 2", u"Ser"},
      {"", String(3, u'\0')},
      {"A", String(u"A") + String(2, u'\0')},
      {"   ", u""},
  };
  for (const auto& [csd, expected] : cases) {
    auto fake = std::make_shared<FakeKernel32>();
    fake->setVersion(record(2, 5, 1, 0, csd));
    EXPECT_EQ(over(fake)->ExtraInfo(), expected) << csd;
  }
}

TEST(WinVersion, AFailingQueryLeavesTheZeroedRecord) {
  auto fake = std::make_shared<FakeKernel32>();
  fake->failVersion();
  auto v = over(fake);
  EXPECT_EQ(v->MajorVersion(), 0);
  EXPECT_EQ(v->OperatingPlatform(), u"Windows 32");
  EXPECT_EQ(v->OperatingSystem(), u"Windows 32");
  EXPECT_TRUE(v->IsWindows32());
  EXPECT_EQ(v->ExtraInfo(), String(3, u'\0'));
}

TEST(WinVersion, DynamicCalls) {
  auto fake = std::make_shared<FakeKernel32>();
  fake->setVersion(record(2, 5, 0, 2195));
  auto v = over(fake);
  std::vector<Argument> none;
  EXPECT_EQ(invoke(*v, methodId(4), CallKind::Method, none).lng(), 2195);
  EXPECT_EQ(invoke(*v, "iswindows2k", CallKind::Method, none).boolean(), true);
}

}  // namespace
}  // namespace zs
