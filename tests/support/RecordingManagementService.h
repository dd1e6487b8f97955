#pragma once
// A management service for tests: it answers the adapter query from a list
// of scripted adapter configurations and records every connection, query and
// method call, so that a test can check what the operations asked for.

#include "switching/ManagementSession.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quorvin {

struct ScriptedAdapter {
  std::string Mac;
  bool IpEnabled = true;
  // Return value per method name; a method not listed returns 0.
  std::map<std::string, std::int32_t> Answers;
  // Methods whose call fails as the service's own error would.
  std::set<std::string> Failing;
};

struct RecordedCall {
  std::size_t Adapter; // position in the scripted list
  std::string Method;
  MethodArguments Arguments;
};

class RecordingManagementService : public ManagementService {
public:
  void AddAdapter(ScriptedAdapter adapter) { FAdapters.push_back(std::move(adapter)); }
  // Makes Connect (or ExecQuery) raise QuorvinError with that code.
  void RefuseConnections(std::uint32_t code) { FConnectRefusal = code; }
  void RefuseQueries(std::uint32_t code) { FQueryRefusal = code; }

  std::unique_ptr<ManagementSession> Connect() override;

  int ConnectCount() const { return FConnectCount; }
  const std::vector<std::string>& Queries() const { return FQueries; }
  const std::vector<RecordedCall>& Calls() const { return FCalls; }
  // The names of the methods called, in order.
  std::vector<std::string> CalledMethods() const;

private:
  friend class RecordingSession;
  friend class RecordingObject;

  std::vector<ScriptedAdapter> FAdapters;
  std::uint32_t FConnectRefusal = 0;
  std::uint32_t FQueryRefusal = 0;
  int FConnectCount = 0;
  std::vector<std::string> FQueries;
  std::vector<RecordedCall> FCalls;
};

} // namespace quorvin
