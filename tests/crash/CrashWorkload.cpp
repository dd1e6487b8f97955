#include "crash/CrashWorkload.h"

#include "store/PortableProfileFile.h"
#include "store/SetRecord.h"
#include "store/Settings.h"
#include "support/TempFolder.h"

#include <random>

namespace quorvin::crash {
namespace {

std::string RandomText(std::mt19937& random, std::size_t maxLength) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_";
  std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), ' ');
  for (char& c : text)
    c = kLetters[std::uniform_int_distribution<std::size_t>(0, sizeof kLetters - 2)(random)];
  return text;
}

// Values of every length, so that each save moves the lines after it.
TSetRecord RandomSet(std::mt19937& random) {
  TSetRecord set;
  set.Caption = RandomText(random, 40);
  set.NetworkAdapter = std::uniform_int_distribution<std::int32_t>(-1, 3)(random);
  set.EnableIP = random() % 2;
  set.UseIP = random() % 2;
  set.AutoIP = !set.UseIP;
  set.IP = RandomText(random, 15);
  set.Gateway = RandomText(random, 15);
  set.ProxyAddress = RandomText(random, 300);
  set.ComputerNameText = RandomText(random, 15);
  set.Printer = RandomText(random, 60);
  return set;
}

// Notes the file's content after each write that passes through it, and
// before it when a rewrite by the file's path (the renumbering of a delete)
// changed it behind this object's back.
class RecordingProfileFile final : public ProfileFile {
public:
  RecordingProfileFile(ProfileFile& inner, std::vector<std::string>& states) : FInner(inner), FStates(states) {}

  const std::string& Path() const override { return FInner.Path(); }
  bool Exists() const override { return FInner.Exists(); }
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) override {
    return FInner.ReadString(section, key, defaultValue);
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
    Note();
    FInner.WriteString(section, key, value);
    Note();
  }
  void EraseSection(std::string_view section) override {
    Note();
    FInner.EraseSection(section);
    Note();
  }
  void Note() {
    std::string bytes = test::ReadBytes(Path());
    if (FStates.empty() || FStates.back() != bytes)
      FStates.push_back(std::move(bytes));
  }

private:
  ProfileFile& FInner;
  std::vector<std::string>& FStates;
};

} // namespace

std::string InitialFile(const std::string& scratchPath) {
  PortableProfileFile file(scratchPath);
  std::mt19937 random(1);
  TOptionsSetting options;
  TWindowOptions window;
  for (int index = 0; index < kSetCount; ++index) {
    const TSetRecord set = RandomSet(random);
    SaveSet(file, index, set);
    window.SetNames.push_back(set.Caption);
  }
  LoadOrSaveOptions(false, file, options, window);
  return test::ReadBytes(scratchPath);
}

void Workload::Run(ProfileFile& file, std::uint32_t op) const {
  std::mt19937 random(FSeed * 1000003u + op);
  const int index = std::uniform_int_distribution<int>(0, kSetCount - 1)(random);
  switch (random() % 10) {
  case 0: {
    TOptionsSetting options;
    options.AutoCloseDialog = random() % 2;
    TWindowOptions window{index, std::vector<std::string>(kSetCount)};
    LoadOrSaveOptions(false, file, options, window);
    break;
  }
  case 1:
  case 2:
  case 3:
    EraseSetSection(file, index, kSetCount - 1);
    SaveSet(file, kSetCount - 1, RandomSet(random));
    break;
  default:
    SaveSet(file, index, RandomSet(random));
    break;
  }
}

std::vector<std::string> StatesOf(const Workload& workload, std::uint32_t op, const std::string& initial,
                                  const std::string& path) {
  test::WriteBytes(path, initial);
  PortableProfileFile file(path);
  for (std::uint32_t done = 0; done < op; ++done)
    workload.Run(file, done);
  std::vector<std::string> states{test::ReadBytes(path)};
  RecordingProfileFile recording(file, states);
  workload.Run(recording, op);
  recording.Note();
  return states;
}

} // namespace quorvin::crash
