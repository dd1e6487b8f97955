// The settings file over the portable profile engine, natively, on a real
// file: loading the options of many sets, deleting the first of them (and
// the same done header by header, as one rewrite per header would), saving
// one set among many; and the cost in time and memory of a settings file of
// 50 MB of two-byte lines.

#include "store/PortableProfileFile.h"
#include "store/Settings.h"
#include "support/SettledFile.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

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

std::string BenchFile() { return (std::filesystem::temp_directory_path() / "quorvin-bench-data.ini").string(); }

std::string PrepareFile(const std::string& bytes) {
  const std::string path = BenchFile();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path;
}

void LoadOptions(ProfileFile& file) {
  TOptionsSetting options;
  TWindowOptions window;
  LoadOrSaveOptions(true, file, options, window);
  benchmark::DoNotOptimize(window.SetNames.data());
}

// At start: a fresh engine (nothing parsed) over a file written earlier.
void LoadOptionsOfSets(benchmark::State& state) {
  const std::string path = PrepareFile(SettingsWithSets(static_cast<int>(state.range(0))));
  // A program that starts finds the file as its last run left it, long
  // enough ago for the file's times to tell any later change.
  test::WaitUntilSettled(path);
  for (auto _ : state) {
    PortableProfileFile file(path);
    LoadOptions(file);
  }
  std::filesystem::remove(path);
}
BENCHMARK(LoadOptionsOfSets)->Arg(5)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same right after the file was written: its times cannot be trusted
// yet, so every read compares the file's bytes with the parsed copy.
void LoadOptionsOfSetsJustWritten(benchmark::State& state) {
  const std::string bytes = SettingsWithSets(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = PrepareFile(bytes);
    state.ResumeTiming();
    PortableProfileFile file(path);
    LoadOptions(file);
  }
  std::filesystem::remove(BenchFile());
}
BENCHMARK(LoadOptionsOfSetsJustWritten)->Arg(1000)->Unit(benchmark::kMillisecond);

// Times deleteFirst(file, path, countAfter) on a fresh copy of a file of
// state.range(0) sets.
void TimeDeletion(benchmark::State& state,
                  const std::function<void(PortableProfileFile&, const std::string&, int)>& deleteFirst) {
  const std::string bytes = SettingsWithSets(static_cast<int>(state.range(0)));
  const int countAfter = static_cast<int>(state.range(0)) - 1;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = PrepareFile(bytes);
    PortableProfileFile file(path);
    state.ResumeTiming();
    deleteFirst(file, path, countAfter);
  }
  std::filesystem::remove(BenchFile());
}

void DeleteFirstOfSets(benchmark::State& state) {
  TimeDeletion(state, [](PortableProfileFile& file, const std::string&, int countAfter) {
    EraseSetSection(file, 0, countAfter);
  });
}
BENCHMARK(DeleteFirstOfSets)->Arg(5)->Arg(1000)->Unit(benchmark::kMillisecond);

// The floor that one rewrite for all headers is measured against: the
// section erased, then one whole-file replacement per moved header.
void DeleteFirstHeaderByHeader(benchmark::State& state) {
  TimeDeletion(state, [](PortableProfileFile& file, const std::string& path, int countAfter) {
    file.EraseSection("0");
    for (int k = 1; k <= countAfter; ++k)
      ReplaceIniLine(path, "[" + std::to_string(k) + "]", "[" + std::to_string(k - 1) + "]");
  });
}
BENCHMARK(DeleteFirstHeaderByHeader)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A tab change that leaves an edited set in the middle of many: every key
// of the set written, each through the engine.
void SaveOneSetOf(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string path = PrepareFile(SettingsWithSets(count));
  PortableProfileFile file(path);
  TSetRecord set = LoadSet(file, count / 2);
  int round = 0;
  for (auto _ : state) {
    set.Caption = "Edited " + std::to_string(++round);
    SaveSet(file, count / 2, set);
  }
  std::filesystem::remove(path);
}
BENCHMARK(SaveOneSetOf)->Arg(1000)->Unit(benchmark::kMillisecond);

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
  const std::string path = BenchFile();
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
