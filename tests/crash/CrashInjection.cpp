// Crash injection: a child process saves and deletes sets of a settings file
// of 20 sets without pause, and is killed (SIGKILL) at a random moment. After
// each kill the file must be one of the contents it passes through in the
// operation that was running: the content before or after one of its
// rewrites, never a mixture. It must also parse, hold no section number
// twice and no half-written line.
//
//   quorvin_crash_test [--kills N] [--max-delay-us U] [--seed S]
//
// N kills (default 1000), each after a random delay of up to U microseconds
// (default 40000) from the moment the child is ready. Prints how many kills
// landed inside a rewrite: those that leave the rewrite's temporary file
// behind, which the writer creates first and renames onto the file last.
#include "crash/CrashWorkload.h"

#include "base/AsciiCase.h"
#include "store/IniDocument.h"
#include "store/PortableProfileFile.h"
#include "store/Settings.h"
#include "support/TempFolder.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using namespace quorvin;

namespace {

// Written by the child, read by the parent after the kill: 2i+1 while
// operation i runs, 2i+2 once it has ended.
struct Progress {
  std::atomic<std::uint32_t> Value{0};
};

struct Options {
  int Kills = 1000;
  long MaxDelayMicroseconds = 40000;
  std::uint32_t Seed = 0;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--kills") == 0)
      options.Kills = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--max-delay-us") == 0)
      options.MaxDelayMicroseconds = std::atol(argv[i + 1]);
    else if (std::strcmp(argv[i], "--seed") == 0)
      options.Seed = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
  }
  return options;
}

[[noreturn]] void RunChild(const std::string& path, std::uint32_t seed, Progress& progress, int ready) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  PortableProfileFile file(path);
  const crash::Workload workload(seed);
  const char byte = 1;
  if (::write(ready, &byte, 1) != 1)
    ::_exit(3);
  ::close(ready);
  for (std::uint32_t op = 0;; ++op) {
    progress.Value.store(2 * op + 1);
    workload.Run(file, op);
    progress.Value.store(2 * op + 2);
  }
}

// What the file must look like whatever the moment of the kill: CR LF
// lines, each a "[name]" header or a "key=value" line, no section twice.
std::string StructureFault(const std::string& bytes) {
  if (!bytes.empty() && !bytes.ends_with("\r\n"))
    return "the last line has no line break";
  std::set<std::string> sections;
  for (std::size_t begin = 0; begin < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", begin);
    const std::string line = bytes.substr(begin, end - begin);
    begin = end + 2;
    if (line.find_first_of("\r\n") != std::string::npos)
      return "a lone line break in \"" + line + "\"";
    if (line.starts_with("[") && line.ends_with("]")) {
      if (!sections.insert(LowerAscii(line)).second)
        return "two sections " + line;
    } else if (line.find('=') == std::string::npos || line.starts_with("=")) {
      return "a line that is no key: \"" + line + "\"";
    }
  }
  return {};
}

// The file read as the program reads it: every set loads, and "TabCount"
// still counts them all.
std::string ReadFault(const std::string& path) {
  try {
    PortableProfileFile file(path);
    TOptionsSetting options;
    TWindowOptions window;
    LoadOrSaveOptions(true, file, options, window);
    if (options.TabCount != crash::kSetCount)
      return "TabCount reads " + std::to_string(options.TabCount);
    for (int index = 0; index < crash::kSetCount; ++index)
      LoadSet(file, index);
  } catch (const std::exception& error) {
    return std::string("reading failed: ") + error.what();
  }
  return {};
}

// Removes what a kill inside a rewrite leaves beside the file; tells
// whether there was any.
bool RemoveTemporaries(const std::string& folder, const std::string& keep) {
  bool found = false;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename() == keep)
      continue;
    found = true;
    fs::remove(entry.path());
  }
  return found;
}

struct Tally {
  int Kills = 0;
  int InsideRewrite = 0;
  int InsideOperation = 0;
  int Failures = 0;
};

void KillOnce(const Options& options, int kill, const std::string& initial, const test::TempFolder& work,
              const test::TempFolder& replay, Progress& progress, std::mt19937& random, Tally& tally) {
  const std::string path = work.File("data.ini");
  test::WriteBytes(path, initial);
  progress.Value.store(0);
  const std::uint32_t seed = options.Seed + static_cast<std::uint32_t>(kill);
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0)
    std::exit(2);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    RunChild(path, seed, progress, pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  char byte = 0;
  const bool ready = ::read(pipeEnds[0], &byte, 1) == 1;
  ::close(pipeEnds[0]);
  const long delay = std::uniform_int_distribution<long>(0, options.MaxDelayMicroseconds)(random);
  std::this_thread::sleep_for(std::chrono::microseconds(delay));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!ready || !WIFSIGNALED(status)) {
    std::printf("kill %d: the child ended by itself (status %d)\n", kill, status);
    ++tally.Failures;
    return;
  }

  ++tally.Kills;
  if (RemoveTemporaries(work.Path(), "data.ini"))
    ++tally.InsideRewrite;
  const std::uint32_t at = progress.Value.load();
  const bool running = at % 2 == 1;
  tally.InsideOperation += running;
  const std::string bytes = test::ReadBytes(path);
  std::string fault;
  if (at > 0) {
    const std::uint32_t op = (at - 1) / 2;
    const auto states = crash::StatesOf(crash::Workload(seed), op, initial, replay.File("data.ini"));
    const bool known = running ? std::find(states.begin(), states.end(), bytes) != states.end()
                               : bytes == states.back();
    if (!known)
      fault = "the content is none of the " + std::to_string(states.size()) + " states of operation " +
              std::to_string(op);
  } else if (bytes != initial) {
    fault = "the file changed before any operation began";
  }
  if (fault.empty())
    fault = StructureFault(bytes);
  if (fault.empty())
    fault = ReadFault(path);
  if (!fault.empty()) {
    std::printf("kill %d (seed %u, progress %u): %s\n", kill, seed, at, fault.c_str());
    ++tally.Failures;
  }
}

} // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  auto* progress = static_cast<Progress*>(
      ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  if (progress == MAP_FAILED)
    return 2;
  new (progress) Progress;

  test::TempFolder work;
  test::TempFolder replay;
  const std::string initial = crash::InitialFile(replay.File("data.ini"));
  std::mt19937 random(options.Seed);
  Tally tally;
  for (int kill = 0; kill < options.Kills; ++kill)
    KillOnce(options, kill, initial, work, replay, *progress, random, tally);

  std::printf("kills: %d, inside an operation: %d, inside a rewrite: %d, faults: %d\n", tally.Kills,
              tally.InsideOperation, tally.InsideRewrite, tally.Failures);
  return tally.Failures == 0 && tally.Kills == options.Kills ? 0 : 1;
}
