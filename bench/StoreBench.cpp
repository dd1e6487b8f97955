// Loading the options of many sets and deleting the first of them, over the
// portable profile engine (natively, on a real file); and the cost in time
// and memory of a settings file of 50 MB of two-byte lines.

#include "store/PortableProfileFile.h"
#include "store/Settings.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

void LoadAndSaveOptions(const std::string& path) {
  PortableProfileFile file(path);
  TOptionsSetting options;
  TWindowOptions window;
  LoadOrSaveOptions(true, file, options, window);
  LoadOrSaveOptions(false, file, options, window);
}

// The peak resident memory, in bytes, of a child process that loads and
// saves the options once: a process of its own, so nothing this one did
// before counts.
double PeakBytesOfOneLoadAndSave(const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    LoadAndSaveOptions(path);
    ::_exit(0);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
    return -1;
  return static_cast<double>(usage.ru_maxrss) * 1024;
}

// Written a chunk at a time, so that this process never holds the file.
std::string PrepareTwoByteLines(std::size_t size) {
  const auto path = (std::filesystem::temp_directory_path() / "quorvin-bench-data.ini").string();
  std::string chunk;
  for (std::size_t i = 0; i < (64u << 10); ++i)
    chunk += "x\n";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (std::size_t written = 0; written < size; written += chunk.size())
    out.write(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), size - written)));
  return path;
}

// The bound: at most three times the file's size and 16 MB.
void OptionsOfA50MbFileOfTwoByteLines(benchmark::State& state) {
  constexpr std::size_t kSize = 50u << 20;
  std::string path;
  for (auto _ : state) {
    state.PauseTiming();
    path = PrepareTwoByteLines(kSize); // each round starts from the same file
    state.ResumeTiming();
    LoadAndSaveOptions(path);
  }
  path = PrepareTwoByteLines(kSize);
  state.counters["FileMB"] = static_cast<double>(kSize) / (1 << 20);
  state.counters["PeakMB"] = PeakBytesOfOneLoadAndSave(path) / (1 << 20);
  state.counters["BoundMB"] = 3.0 * kSize / (1 << 20) + 16;
  std::filesystem::remove(path);
}
BENCHMARK(OptionsOfA50MbFileOfTwoByteLines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
