// Loading the options of many sets and deleting the first of them, over the
// portable profile engine (natively, on a real file).

#include "store/PortableProfileFile.h"
#include "store/Settings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace quorvin;

std::string SettingsWithSets(int count) {
  std::string bytes = "[Options]\r\nDefaultTab=0\r\nTabCount=" + std::to_string(count) + "\r\n";
  for (int i = 0; i < count; ++i) {
    bytes += "[" + std::to_string(i) + "]\r\n";
    for (const TSetField& field : kSetFields)
      bytes += std::string(field.Key) + "=" + (field.Key == "Caption" ? "Set " + std::to_string(i) : "1") + "\r\n";
  }
  return bytes;
}

std::string PrepareFile(const std::string& bytes) {
  const auto path = (std::filesystem::temp_directory_path() / "quorvin-bench-data.ini").string();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path;
}

void LoadOptionsOfSets(benchmark::State& state) {
  const std::string path = PrepareFile(SettingsWithSets(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    PortableProfileFile file(path); // a fresh start: the file is parsed anew
    TOptionsSetting options;
    TWindowOptions window;
    LoadOrSaveOptions(true, file, options, window);
    benchmark::DoNotOptimize(window.SetNames.data());
  }
  std::filesystem::remove(path);
}
BENCHMARK(LoadOptionsOfSets)->Arg(5)->Arg(1000)->Unit(benchmark::kMillisecond);

void DeleteFirstOfSets(benchmark::State& state) {
  const std::string bytes = SettingsWithSets(static_cast<int>(state.range(0)));
  const int countAfter = static_cast<int>(state.range(0)) - 1;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = PrepareFile(bytes);
    PortableProfileFile file(path);
    state.ResumeTiming();
    EraseSetSection(file, 0, countAfter);
  }
}
BENCHMARK(DeleteFirstOfSets)->Arg(5)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
