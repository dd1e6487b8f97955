#pragma once
// The port through which the adapter configuration reaches the system's
// management service: connect, run a query, walk the matching objects and
// call their methods by name. The real service speaks COM; the simulated one
// works on a file; the recording one serves tests.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace quorvin {

// A parameter that the caller leaves out, so that the method takes its
// default (for the DNS server list: back to the servers that DHCP supplies).
struct OmittedArgument {
  bool operator==(const OmittedArgument&) const = default;
};

using TextList = std::vector<std::string>;

// One argument of a method call: a text, a list of texts, or nothing.
using MethodArgument = std::variant<std::string, TextList, OmittedArgument>;
using MethodArguments = std::vector<MethodArgument>;

// One object that a query returned.
class ManagedObject {
public:
  virtual ~ManagedObject() = default;
  // Calls the named method and returns its return value as an integer.
  // Throws when the call fails or its return value is no integer.
  virtual std::int32_t CallMethod(const std::string& name, const MethodArguments& arguments) = 0;
};

// The objects of one query, fetched one at a time.
class ManagedObjectCursor {
public:
  virtual ~ManagedObjectCursor() = default;
  // The next object, or null when there is none (or the service stops
  // delivering: a failed fetch ends the walk rather than the operation).
  virtual std::unique_ptr<ManagedObject> Next() = 0;
};

// A connection to the management namespace.
class ManagementSession {
public:
  virtual ~ManagementSession() = default;
  // Runs the query and opens its result. Throws QuorvinError when the query
  // or its enumeration cannot be had.
  virtual std::unique_ptr<ManagedObjectCursor> ExecQuery(const std::string& query) = 0;
};

// The service itself; each operation connects anew and keeps nothing.
class ManagementService {
public:
  virtual ~ManagementService() = default;
  // Throws QuorvinError when the namespace cannot be reached.
  virtual std::unique_ptr<ManagementSession> Connect() = 0;
};

} // namespace quorvin
