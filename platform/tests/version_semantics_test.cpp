// version.dll on Linux over generated images (PE32 and PE32+): queries, key
// case, string conversion, and malformed images that must read as "no
// resource"; and the project's own cross-built DLL when it has been built.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/posix/pe_resources.h"
#include "platform/posix/version_info.h"
#include "platform/testing/pe_writer.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

using testing::Bytes;

testing::VersionResource sample() {
  testing::VersionResource v;
  v.strings = {{"ProductName", "Zavrin"}, {"CompanyName", "Soci\xC3\xA9t\xC3\xA9"}, {"Comments", ""}};
  return v;
}

class VersionFiles : public ::testing::Test {
 protected:
  std::string file(const Bytes& bytes) {
    const std::string path = tmp.path() + "/f" + std::to_string(++count) + ".dll";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  // The buffer of a file, empty when it has no resource.
  std::vector<std::uint8_t> buffer(const std::string& path) {
    DWORD handle = 7;
    const DWORD size = api.GetFileVersionInfoSizeA(path.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    if (size == 0) return {};
    std::vector<std::uint8_t> out(size);
    EXPECT_TRUE(api.GetFileVersionInfoA(path.c_str(), 0, size, out.data()));
    EXPECT_FALSE(api.GetFileVersionInfoA(path.c_str(), 0, size - 1, out.data()));
    return out;
  }
  std::optional<std::string> text(std::vector<std::uint8_t>& block, const char* query, UINT* length = nullptr) {
    void* found = nullptr;
    UINT n = 99;
    if (!api.VerQueryValueA(block.data(), query, &found, &n)) {
      EXPECT_EQ(found, nullptr);
      EXPECT_EQ(n, 0u);
      return std::nullopt;
    }
    if (length) *length = n;
    return std::string(static_cast<const char*>(found));
  }

  testsupport::TempFolder tmp;
  int count = 0;
  posix::VersionPosix api;
};

TEST_F(VersionFiles, QueriesOverBothImageKinds) {
  for (const bool plus : {false, true}) {
    auto block = buffer(file(testing::peImage(testing::versionResource(sample()), plus)));
    ASSERT_FALSE(block.empty()) << (plus ? "PE32+" : "PE32");
    void* found = nullptr;
    UINT length = 0;
    ASSERT_TRUE(api.VerQueryValueA(block.data(), "\\", &found, &length));
    ASSERT_EQ(length, 52u);
    std::uint32_t fields[13];
    std::memcpy(fields, found, sizeof fields);
    EXPECT_EQ(fields[0], 0xFEEF04BDu);
    EXPECT_EQ(fields[2], 0x00010002u);
    EXPECT_EQ(fields[9], 2u);
    ASSERT_TRUE(api.VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &found, &length));
    ASSERT_EQ(length, 4u);
    const auto* pair = static_cast<const std::uint8_t*>(found);
    EXPECT_EQ(pair[0] | pair[1] << 8, 0x0409);
    EXPECT_EQ(pair[2] | pair[3] << 8, 0x04B0);
    UINT n = 0;
    EXPECT_EQ(text(block, "\\StringFileInfo\\040904b0\\productname", &n), "Zavrin") << "keys ignore case";
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(text(block, "\\StringFileInfo\\040904B0\\CompanyName", &n), "Soci\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(n, 10u) << "bytes of the UTF-8 text with its NUL";
    EXPECT_EQ(text(block, "\\StringFileInfo\\040904B0\\Comments", &n), "");
    EXPECT_EQ(n, 0u) << "an empty value reports length 0";
    EXPECT_EQ(text(block, "\\StringFileInfo\\040904B0\\PrivateBuild"), std::nullopt);
    EXPECT_EQ(text(block, "\\StringFileInfo\\040704E4\\ProductName"), std::nullopt);
  }
}

TEST_F(VersionFiles, ALastChildEndingOffTheFourByteGridClosesItsParent) {
  testing::VersionResource v;
  v.strings = {{"Comments", ""}, {"ProductName", "Zavrin"}};  // the last node is 46 bytes long
  auto block = buffer(file(testing::peImage(testing::versionResource(v))));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904B0\\ProductName"), "Zavrin");
}

TEST_F(VersionFiles, MalformedImagesHaveNoResource) {
  const Bytes good = testing::peImage(testing::versionResource(sample()));
  auto badSignature = sample();
  badSignature.signature = 0x12345678;
  auto block = buffer(file(testing::peImage(testing::versionResource(badSignature))));
  ASSERT_FALSE(block.empty());
  void* found = nullptr;
  UINT length = 0;
  EXPECT_FALSE(api.VerQueryValueA(block.data(), "\\", &found, &length)) << "signature checked";

  Bytes childTooLong = testing::versionResource(sample());
  testing::putLe(childTooLong, 0x5C, 0xFFF0, 2);  // the first child's length passes its parent's end
  const std::pair<const char*, Bytes> cases[] = {
      {"text file", Bytes{'h', 'e', 'l', 'l', 'o'}},
      {"empty file", Bytes{}},
      {"child longer than its parent", testing::peImage(childTooLong)},
      {"resource not a version tree", testing::peImage(Bytes(64, 0x41))},
  };
  for (const auto& [name, bytes] : cases) EXPECT_TRUE(buffer(file(bytes)).empty()) << name;
  // Every truncation of a good image: no crash, and no resource once the
  // version data is cut.
  for (std::size_t size = 0; size < good.size(); size += 7) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_TRUE(buffer(file(cut)).empty()) << size;
  }
  EXPECT_EQ(api.GetFileVersionInfoSizeA((tmp.path() + "/missing.dll").c_str(), nullptr), 0u);
  EXPECT_EQ(api.GetFileVersionInfoSizeA(tmp.path().c_str(), nullptr), 0u) << "a folder";
}

TEST(VersionBuffer, ForeignBlocksAndDeepPathsFail) {
  std::vector<std::uint8_t> foreign(64, 0);
  void* found = nullptr;
  UINT length = 0;
  EXPECT_FALSE(posix::queryVersionBuffer(foreign.data(), "\\", &found, &length));
  const Bytes resource = testing::versionResource(sample());
  std::vector<std::uint8_t> block(posix::versionBufferSize(resource.size()));
  ASSERT_TRUE(posix::fillVersionBuffer(resource, block.data(), static_cast<DWORD>(block.size())));
  EXPECT_FALSE(posix::queryVersionBuffer(block.data(), "\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j", &found, &length));
  EXPECT_TRUE(posix::queryVersionBuffer(block.data(), "\\\\VarFileInfo\\\\Translation\\", &found, &length))
      << "empty path parts are skipped";
}

TEST(VersionOwnDll, TheCrossBuiltLibraryCarriesItsVersion) {
  const std::string dll = ZS_SOURCE_DIR "/build/win64/server/VQZavrinStudio.dll";
  if (!std::filesystem::exists(dll)) GTEST_SKIP() << "the win64 preset has not been built";
  posix::VersionPosix api;
  const DWORD size = api.GetFileVersionInfoSizeA(dll.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<std::uint8_t> block(size);
  ASSERT_TRUE(api.GetFileVersionInfoA(dll.c_str(), 0, size, block.data()));
  void* found = nullptr;
  UINT length = 0;
  ASSERT_TRUE(api.VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\ProductName", &found, &length));
  EXPECT_STREQ(static_cast<const char*>(found), "Zavrin Studio Suite");
  ASSERT_TRUE(api.VerQueryValueA(block.data(), "\\", &found, &length));
  std::uint32_t ms = 0;
  std::memcpy(&ms, static_cast<const char*>(found) + 8, 4);
  EXPECT_EQ(ms, 0x00010016u) << "FILEVERSION 1,22,0,0";
}

}  // namespace
}  // namespace zs::platform
