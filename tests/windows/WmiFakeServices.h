#pragma once
// Stand-ins for the management service's scripting objects: a services
// object answering ExecQuery, its object set with _NewEnum, the enumerator
// and the adapter configurations. Each records what reaches it, in plain
// values, and counts the living fakes so tests can see that all were
// released.

#include "switching/ManagementSession.h"

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvin::test {

// What one argument variant held when it reached the fake.
struct SeenArgument {
  VARTYPE Type = VT_EMPTY;
  VARTYPE InnerType = VT_EMPTY; // for VT_BYREF | VT_VARIANT
  std::string Text;             // VT_BSTR
  bool NullText = false;        // VT_BSTR holding a null pointer
  UINT Dimensions = 0;          // for an inner array
  LONG LowerBound = -1;
  std::vector<std::string> Elements;
  SCODE Code = S_OK; // VT_ERROR
};

struct SeenCall {
  std::string Method;
  WORD Flags = 0;
  std::vector<SeenArgument> Arguments; // in the caller's order
};

// How a fake adapter answers one method.
struct FakeAnswer {
  HRESULT Outcome = S_OK;
  bool AsText = false; // return Text as VT_BSTR instead of Code as VT_I4
  std::int32_t Code = 0;
  std::wstring Text;
};

FakeAnswer ReturnCode(std::int32_t code);
FakeAnswer ReturnText(const wchar_t* text);
FakeAnswer Fail(HRESULT outcome);

struct FakeScript {
  HRESULT QueryOutcome = S_OK;
  HRESULT NewEnumOutcome = S_OK;
  // Answers per adapter and method name; a method not listed returns 0.
  std::vector<std::map<std::string, FakeAnswer>> Adapters;
  // Elements that are plain numbers instead of objects, after the adapters.
  int NonObjectElements = 0;
};

struct FakeRecord {
  std::vector<std::string> Queries;
  std::vector<SeenArgument> QueryArguments;
  std::vector<std::vector<SeenCall>> Calls; // per adapter
};

// The services object of a script; the record fills as it is used.
Microsoft::WRL::ComPtr<IDispatch> MakeFakeServices(const FakeScript& script, FakeRecord& record);

// Fakes alive now (services, sets, enumerators, adapters).
int LivingFakes();

} // namespace quorvin::test
