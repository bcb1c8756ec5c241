// ZSRegistry over the Linux registry store: 10,000 WriteValue + ReadValue
// pairs, and ListValues over a key of 10,000 values. The baselines are in
// registry_store_bench.cpp: PlainSqliteSetAndQuery (plain SQLite doing the
// same writes), PlainSqliteScanTenThousandValues (one scan of as many rows)
// and StoreEnumerateTenThousandValues (the bare enumeration).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/advapi32_posix.h"
#include "platform/testing/temp_folder.h"
#include "platform/ansi.h"
#include "registry/registry.h"
#include "registry/registry_data.h"

namespace {

using namespace zs;

constexpr int kPairs = 10000;
constexpr int kValues = 10000;

using Folder = zs::platform::testsupport::TempFolder;

platform::Libraries storeIn(const Folder& folder) {
  platform::Libraries libraries;
  libraries.advapi32 = std::make_shared<platform::posix::Advapi32Posix>(
      platform::posix::StoreLocation::inFolder(folder.path()));
  return libraries;
}

void RegistryWriteAndRead(benchmark::State& state) {
  Folder folder;
  auto reg = create<Registry>(storeIn(folder));
  const String key = u"Software\\Bench";
  long i = 0;
  for (auto _ : state) {
    const String name = u"v" + u16(std::to_string(i++));
    if (reg->WriteValue(zvHKEY_CURRENT_USER, key, zvDWord, name, u16(std::to_string(i))).lng() !=
        0) {
      state.SkipWithError("write failed");
      break;
    }
    benchmark::DoNotOptimize(reg->ReadValue(zvHKEY_CURRENT_USER, key, name));
  }
}
BENCHMARK(RegistryWriteAndRead)->Iterations(kPairs)->Unit(benchmark::kMicrosecond);

// One ListValues of the whole key per iteration, on a fresh object each time
// (the object's collection keeps what earlier calls listed).
void RegistryListTenThousandValues(benchmark::State& state) {
  Folder folder;
  const platform::Libraries libraries = storeIn(folder);
  {
    auto writer = create<Registry>(libraries);
    for (int i = 0; i < kValues; ++i)
      writer->WriteValue(zvHKEY_CURRENT_USER, u"Software\\Enum", zvString,
                         u"value" + u16(std::to_string(i)), u"text");
  }
  for (auto _ : state) {
    auto reg = create<Registry>(libraries);
    if (reg->ListValues(zvHKEY_CURRENT_USER, u"Software\\Enum")->Count() != kValues)
      state.SkipWithError("wrong count");
  }
}
BENCHMARK(RegistryListTenThousandValues)->Unit(benchmark::kMillisecond);

// The part of ListValues no store can save: building its collection of
// 10,000 items from the names and data an enumeration hands over, converted
// as ListValues converts them.
void RegistryValuesBuildTenThousand(benchmark::State& state) {
  std::vector<std::string> names;
  for (int i = 0; i < kValues; ++i) names.push_back("value" + std::to_string(i));
  const std::vector<platform::BYTE> data = {'t', 'e', 'x', 't', 0};
  for (auto _ : state) {
    auto values = create<RegistryValues>();
    for (const auto& name : names)
      values->Add(platform::fromAnsi(name), registry::stringFromData(data), zvString);
    benchmark::DoNotOptimize(values->Count());
  }
}
BENCHMARK(RegistryValuesBuildTenThousand)->Unit(benchmark::kMillisecond);

}  // namespace
