#include "switching/sim/SimulatedManagementService.h"

#include "base/AsciiCase.h"
#include "base/QuorvinError.h"
#include "switching/IpSetQuery.h"
#include "switching/sim/SimulatedAdapterMethods.h"
#include "system/sim/SimulatedNetwork.h"

#include <cstddef>
#include <vector>

namespace quorvin {

namespace {

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return EqualsIgnoringCase(a, b);
}

// One adapter of the file, known by its position and its MAC text at the
// time of the query.
class SimulatedObject : public ManagedObject {
public:
  SimulatedObject(std::string folder, std::size_t position, std::string mac)
      : FFolder(std::move(folder)), FPosition(position), FMac(std::move(mac)) {}

  std::int32_t CallMethod(const std::string& name, const MethodArguments& arguments) override {
    // Load, change and save in one go: the simulated host writes the same
    // file between calls.
    SimulatedNetwork network(FFolder);
    if (FPosition >= network.Adapters.size() || network.Adapters[FPosition].MacText() != FMac)
      throw QuorvinError("The adapter configuration is gone");
    const std::int32_t result = CallSimulatedAdapterMethod(network.Adapters[FPosition], name, arguments);
    if (result == 0)
      network.Save();
    return result;
  }

private:
  std::string FFolder;
  std::size_t FPosition;
  std::string FMac;
};

class SimulatedCursor : public ManagedObjectCursor {
public:
  SimulatedCursor(std::string folder, std::vector<std::size_t> positions, std::vector<std::string> macs)
      : FFolder(std::move(folder)), FPositions(std::move(positions)), FMacs(std::move(macs)) {}

  std::unique_ptr<ManagedObject> Next() override {
    if (FNext == FPositions.size())
      return nullptr;
    const std::size_t at = FNext++;
    return std::make_unique<SimulatedObject>(FFolder, FPositions[at], FMacs[at]);
  }

private:
  std::string FFolder;
  std::vector<std::size_t> FPositions;
  std::vector<std::string> FMacs;
  std::size_t FNext = 0;
};

class SimulatedSession : public ManagementSession {
public:
  explicit SimulatedSession(std::string folder) : FFolder(std::move(folder)) {}

  std::unique_ptr<ManagedObjectCursor> ExecQuery(const std::string& query) override {
    const auto mac = MacOfAdapterQuery(query);
    if (!mac)
      throw QuorvinError("The simulated service answers only the adapter query", kInvalidQueryCode);
    const SimulatedNetwork network(FFolder);
    std::vector<std::size_t> positions;
    std::vector<std::string> macs;
    for (std::size_t i = 0; i < network.Adapters.size(); ++i) {
      const SimulatedAdapter& adapter = network.Adapters[i];
      if (adapter.IpEnabled && SameTextIgnoringCase(adapter.MacText(), *mac)) {
        positions.push_back(i);
        macs.push_back(adapter.MacText());
      }
    }
    return std::make_unique<SimulatedCursor>(FFolder, std::move(positions), std::move(macs));
  }

private:
  std::string FFolder;
};

} // namespace

std::unique_ptr<ManagementSession> SimulatedManagementService::Connect() {
  return std::make_unique<SimulatedSession>(FFolder);
}

} // namespace quorvin
