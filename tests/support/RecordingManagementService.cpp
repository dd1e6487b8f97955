#include "support/RecordingManagementService.h"

#include "base/QuorvinError.h"
#include "switching/IpSetQuery.h"

namespace quorvin {

class RecordingObject : public ManagedObject {
public:
  RecordingObject(RecordingManagementService& service, std::size_t adapter)
      : FService(service), FAdapter(adapter) {}

  std::int32_t CallMethod(const std::string& name, const MethodArguments& arguments) override {
    FService.FCalls.push_back({FAdapter, name, arguments});
    const ScriptedAdapter& scripted = FService.FAdapters[FAdapter];
    if (scripted.Failing.contains(name))
      throw QuorvinError("Scripted failure of " + name);
    const auto answer = scripted.Answers.find(name);
    return answer == scripted.Answers.end() ? 0 : answer->second;
  }

private:
  RecordingManagementService& FService;
  std::size_t FAdapter;
};

namespace {

class RecordingCursor : public ManagedObjectCursor {
public:
  RecordingCursor(RecordingManagementService& service, std::vector<std::size_t> matches)
      : FService(service), FMatches(std::move(matches)) {}

  std::unique_ptr<ManagedObject> Next() override {
    if (FNext == FMatches.size())
      return nullptr;
    return std::make_unique<RecordingObject>(FService, FMatches[FNext++]);
  }

private:
  RecordingManagementService& FService;
  std::vector<std::size_t> FMatches;
  std::size_t FNext = 0;
};

} // namespace

class RecordingSession : public ManagementSession {
public:
  explicit RecordingSession(RecordingManagementService& service) : FService(service) {}

  std::unique_ptr<ManagedObjectCursor> ExecQuery(const std::string& query) override {
    FService.FQueries.push_back(query);
    if (FService.FQueryRefusal != 0)
      throw QuorvinError("Scripted query refusal", FService.FQueryRefusal);
    std::vector<std::size_t> matches;
    if (const auto mac = MacOfAdapterQuery(query))
      for (std::size_t i = 0; i < FService.FAdapters.size(); ++i)
        if (FService.FAdapters[i].IpEnabled && FService.FAdapters[i].Mac == *mac)
          matches.push_back(i);
    return std::make_unique<RecordingCursor>(FService, std::move(matches));
  }

private:
  RecordingManagementService& FService;
};

std::unique_ptr<ManagementSession> RecordingManagementService::Connect() {
  ++FConnectCount;
  if (FConnectRefusal != 0)
    throw QuorvinError("Scripted connection refusal", FConnectRefusal);
  return std::make_unique<RecordingSession>(*this);
}

std::vector<std::string> RecordingManagementService::CalledMethods() const {
  std::vector<std::string> names;
  for (const RecordedCall& call : FCalls)
    names.push_back(call.Method);
  return names;
}

} // namespace quorvin
