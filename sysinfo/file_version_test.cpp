// ZSFileVersion over the in-memory version.dll (the rules, the mended null
// pointers and bounded copies) and over the Linux backend with a generated
// image.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "core/dispatch.h"
#include "core/error.h"
#include "platform/posix/version_info.h"
#include "platform/testing/fake_version.h"
#include "platform/testing/pe_writer.h"
#include "platform/testing/temp_folder.h"
#include "sysinfo/file_version.h"

namespace zs {
namespace {

using platform::testing::FakeVersion;

int errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

class FileVersionFake : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeVersion::File file;
    file.fixed = FakeVersion::fixedRecord(0x00010002, 0x00030004, 2);
    file.translation = std::vector<std::uint8_t>{0x09, 0x04, 0xB0, 0x04};
    file.strings = {{"\\StringFileInfo\\040904B0\\ProductName", "Zavrin"},
                    {"\\StringFileInfo\\040904B0\\ProductVersion", "1.22"},
                    {"\\StringFileInfo\\040904B0\\Comments", ""}};
    fake->addFile("a.dll", file);
    platform::Libraries libs;
    libs.version = fake;
    fv = create<FileVersion>(libs);
    fv->FileName(u"a.dll");
  }
  std::shared_ptr<FakeVersion> fake = std::make_shared<FakeVersion>();
  std::shared_ptr<FileVersion> fv;
};

TEST_F(FileVersionFake, EntriesUnderTheFirstTranslation) {
  EXPECT_EQ(fv->ProductName(), u"Zavrin");
  EXPECT_EQ(fake->queries().back(), "\\StringFileInfo\\040904B0\\ProductName");
  EXPECT_EQ(fv->ProductVersionString(), u"1.22");
  const std::vector<std::pair<std::function<String()>, int>> absent = {
      {[&] { return fv->OriginalFilename(); }, 5}, {[&] { return fv->CompanyName(); }, 5},
      {[&] { return fv->InternalName(); }, 5},     {[&] { return fv->FileDescription(); }, 5},
      {[&] { return fv->LegalCopyright(); }, 5},   {[&] { return fv->PrivateBuild(); }, 0},
      {[&] { return fv->SpecialBuild(); }, 0},     {[&] { return fv->Comments(); }, 0}};
  for (const auto& [call, number] : absent) {
    EXPECT_EQ(errorOf([&] { EXPECT_EQ(call(), u""); }), number);
  }
}

TEST_F(FileVersionFake, KeyFromTheTranslationBytes) {
  FakeVersion::File german;
  german.fixed = FakeVersion::fixedRecord(0, 0, 1);
  german.translation = std::vector<std::uint8_t>{0x07, 0x04, 0xE4, 0x04, 0x09, 0x04, 0xB0, 0x04};
  german.strings = {{"\\StringFileInfo\\040704e4\\CompanyName", "Firma"}};
  fake->addFile("b.exe", german);
  fv->FileName(u"b.exe");
  EXPECT_EQ(fv->CompanyName(), u"Firma");
  EXPECT_EQ(fake->queries().back(), "\\StringFileInfo\\040704E4\\CompanyName");
}

TEST_F(FileVersionFake, NumbersAndTypes) {
  EXPECT_EQ(fv->FileVersionString(), u"1.2.3.4");
  EXPECT_EQ(fv->FileVerMajorHI(), 1);
  EXPECT_EQ(fv->FileVerMajorLO(), 2);
  EXPECT_EQ(fv->FileVerMinorHI(), 3);
  EXPECT_EQ(fv->FileVerMinorLO(), 4);
  EXPECT_EQ(fv->FileType(), u"Dynamic Link Library (DLL)");
  const std::pair<std::uint32_t, const char16_t*> types[] = {
      {0, u"Unknown"}, {1, u"Application"}, {3, u"Device Driver"}, {4, u"Font"},
      {5, u"Virtual Device Driver"}, {7, u"Unknown"}};
  for (const auto& [type, name] : types) {
    FakeVersion::File f;
    f.fixed = FakeVersion::fixedRecord(0x00050001, 0x0A280000, type);
    fake->addFile("t" + std::to_string(type), f);
    fv->FileName(u16("t" + std::to_string(type)));
    EXPECT_EQ(fv->FileType(), name);
    EXPECT_EQ(fv->FileVersionString(), u"5.1.2600.0");
  }
  FakeVersion::File big;
  big.fixed = FakeVersion::fixedRecord(0xFFFF8000, 0x00017FFF, 1);
  fake->addFile("big", big);
  fv->FileName(u"big");
  EXPECT_EQ(fv->FileVersionString(), u"65535.32768.1.32767") << "halves read unsigned";
  EXPECT_EQ(errorOf([&] { fv->FileVerMajorHI(); }), 6);
  EXPECT_EQ(errorOf([&] { fv->FileVerMajorLO(); }), 6);
  EXPECT_EQ(fv->FileVerMinorLO(), 32767);
}

TEST_F(FileVersionFake, NoResourceIsErrorNine) {
  for (const char16_t* name : {u"", u"missing.dll"}) {
    fv->FileName(name);
    EXPECT_EQ(errorOf([&] { fv->FileVersionString(); }), 9);
    EXPECT_EQ(errorOf([&] { fv->PrivateBuild(); }), 9);
    EXPECT_EQ(errorOf([&] { fv->FileType(); }), 9);
  }
}

TEST_F(FileVersionFake, NullPointersFromTheQueryCopyNothing) {
  FakeVersion::File broken;
  broken.nullPointers = true;
  fake->addFile("broken", broken);
  fv->FileName(u"broken");
  EXPECT_EQ(fv->FileVersionString(), u"0.0.0.0");
  EXPECT_EQ(fv->FileType(), u"Unknown");
  EXPECT_EQ(errorOf([&] { fv->ProductName(); }), 5);
  EXPECT_EQ(fv->Comments(), u"");
  FakeVersion::File shortRecord;
  shortRecord.fixed = std::vector<std::uint8_t>(8, 0xFF);
  fake->addFile("short", shortRecord);
  fv->FileName(u"short");
  EXPECT_EQ(fv->FileVersionString(), u"0.0.0.0") << "a record shorter than 52 bytes is not read";
}

TEST_F(FileVersionFake, TextAndTranslationStayWithinTheReportedLengths) {
  FakeVersion::File file;
  // Two bytes of translation are not a language and code page: 00000000.
  file.translation = std::vector<std::uint8_t>{0x09, 0x04};
  file.strings = {{"\\StringFileInfo\\00000000\\ProductName", "ProductTail"}};
  file.stringLength = 7;  // no NUL within the length reported
  fake->addFile("cut", file);
  fv->FileName(u"cut");
  EXPECT_EQ(fv->ProductName(), u"Product");
  EXPECT_EQ(fake->queries().back(), "\\StringFileInfo\\00000000\\ProductName");
}

TEST_F(FileVersionFake, DynamicCalls) {
  std::vector<Argument> none;
  EXPECT_EQ(invoke(*fv, methodId(0x11), CallKind::Method, none).integer(), 1);
  EXPECT_EQ(invoke(*fv, "FileName", CallKind::Get, none).string(), u"a.dll");
}

TEST(FileVersionLinux, AGeneratedImageEndToEnd) {
  platform::testsupport::TempFolder tmp;
  platform::testing::VersionResource v;
  v.tableKey = "040904b0";  // lower case in the file, upper case in the query
  v.strings = {{"ProductName", "Zavrin"}, {"LegalCopyright", "\xC2\xA9 Velquorsoft"}};
  const auto image = platform::testing::peImage(platform::testing::versionResource(v), true);
  const std::string path = tmp.path() + "/sample.dll";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  platform::Libraries libs;
  libs.version = std::make_shared<platform::posix::VersionPosix>();
  auto fv = create<FileVersion>(libs);
  fv->FileName(u16(path));
  EXPECT_EQ(fv->ProductName(), u"Zavrin");
  EXPECT_EQ(fv->LegalCopyright(), u"\u00A9 Velquorsoft");
  EXPECT_EQ(fv->FileVersionString(), u"1.2.3.4");
  EXPECT_EQ(fv->FileType(), u"Dynamic Link Library (DLL)");
  EXPECT_EQ(errorOf([&] { fv->CompanyName(); }), 5);
}

}  // namespace
}  // namespace zs
