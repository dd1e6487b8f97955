// The loader of the system DLLs that are no KnownDLLs: where it takes a DLL
// from, and how a call fails when its DLL or entry point cannot be found.

#include "base/win32/HandleOwners.h"
#include "base/win32/IpHelperCalls.h"
#include "base/win32/NetApiCalls.h"
#include "base/win32/System32Library.h"
#include "base/win32/WinInetCalls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <type_traits>

namespace quorvin::test {
namespace {

// Built by tests/CMakeLists.txt into the executable's folder.
constexpr char kPlantedName[] = "quorvin_planted.dll";
constexpr char kPlantedEntry[] = "QuorvinPlantedEntry";

std::string LowerFolderOf(std::string path) {
  path.erase(std::min(path.size(), path.find_last_of('\\')));
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return path;
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
  return std::string(path, length);
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length);
}

std::string PlantedPath() { return LowerFolderOf(ModulePath(nullptr)) + '\\' + kPlantedName; }

TEST(System32Library, TakesTheDllFromTheSystemFolder) {
  System32Library library("iphlpapi.dll");
  std::uint32_t error = 0;
  void* const address = library.Find("GetAdaptersInfo", error);
  ASSERT_NE(address, nullptr) << error;
  HMODULE module = nullptr;
  ASSERT_TRUE(::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   static_cast<LPCSTR>(address), &module));
  EXPECT_EQ(LowerFolderOf(ModulePath(module)), LowerFolderOf(SystemFolder() + "\\"));
}

TEST(System32Library, IgnoresADllBesideTheProgram) {
  {
    System32Library library(kPlantedName);
    std::uint32_t error = 0;
    EXPECT_EQ(library.Find(kPlantedEntry, error), nullptr);
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_MOD_NOT_FOUND));
  }
  // It is there: taken by its full name, it loads.
  const UniqueModule planted(::LoadLibraryExA(PlantedPath().c_str(), nullptr, 0));
  ASSERT_TRUE(planted) << PlantedPath();
  EXPECT_NE(::GetProcAddress(planted.get(), kPlantedEntry), nullptr);
}

TEST(System32Library, AMissingDllFailsAStatusCallWithModNotFound) {
  System32Library missing("QuorvinNoSuchLibrary.dll");
  EXPECT_EQ(CallReturningStatus<decltype(&::NetJoinDomain)>(missing, "NetJoinDomain", nullptr, L"WORKGROUP",
                                                             nullptr, nullptr, nullptr, 0ul),
            static_cast<NET_API_STATUS>(ERROR_MOD_NOT_FOUND));
}

TEST(System32Library, AMissingEntryPointFailsAStatusCallWithProcNotFound) {
  System32Library netApi("netapi32.dll");
  EXPECT_EQ(CallReturningStatus<decltype(&::NetJoinDomain)>(netApi, "QuorvinNoSuchEntry", nullptr,
                                                             L"WORKGROUP", nullptr, nullptr, nullptr, 0ul),
            static_cast<NET_API_STATUS>(ERROR_PROC_NOT_FOUND));
}

TEST(System32Library, AMissingEntryPointFailsABoolCallWithTheLastError) {
  System32Library winInet("wininet.dll");
  ::SetLastError(ERROR_SUCCESS);
  const BOOL answered = CallReturningBool<decltype(&::InternetSetOptionA)>(
      winInet, "QuorvinNoSuchEntry", nullptr, static_cast<DWORD>(INTERNET_OPTION_REFRESH), nullptr, 0ul);
  const DWORD error = ::GetLastError();
  EXPECT_FALSE(answered);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

TEST(System32Library, AMissingDllFailsABoolCallWithTheLastError) {
  System32Library missing("QuorvinNoSuchLibrary.dll");
  ::SetLastError(ERROR_SUCCESS);
  const BOOL answered = CallReturningBool<decltype(&::InternetSetOptionA)>(
      missing, "InternetSetOptionA", nullptr, static_cast<DWORD>(INTERNET_OPTION_REFRESH), nullptr, 0ul);
  const DWORD error = ::GetLastError();
  EXPECT_FALSE(answered);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(System32Library, TheTablesReachTheSystemsFunctions) {
  ULONG size = 0;
  const DWORD status = system32::GetAdaptersInfo(nullptr, &size);
  EXPECT_TRUE(status == ERROR_BUFFER_OVERFLOW || status == ERROR_NO_DATA) << status;
  LPBYTE raw = nullptr;
  ASSERT_EQ(system32::NetWkstaGetInfo(nullptr, 100, &raw), static_cast<NET_API_STATUS>(NERR_Success));
  EXPECT_EQ(system32::NetApiBufferFree(raw), static_cast<NET_API_STATUS>(NERR_Success));
  // No buffer: WinINet itself answers FALSE and tells the size it needs.
  DWORD length = 0;
  const BOOL answered = system32::InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, nullptr, &length);
  const DWORD error = ::GetLastError();
  EXPECT_FALSE(answered);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_GT(length, 0u);
}

// Last in this file, as it changes the whole process: afterwards no DLL is
// looked up beside the program by name.
TEST(System32Library, RestrictedSearchIgnoresADllBesideTheProgram) {
  ASSERT_EQ(::GetModuleHandleA(kPlantedName), nullptr);
  ASSERT_NE(::GetFileAttributesA(PlantedPath().c_str()), INVALID_FILE_ATTRIBUTES) << PlantedPath();
  ASSERT_TRUE(RestrictDllSearchToSystem32());
  const UniqueModule planted(::LoadLibraryA(kPlantedName));
  const DWORD error = ::GetLastError();
  EXPECT_FALSE(planted);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  const UniqueModule system(::LoadLibraryA("netapi32.dll"));
  EXPECT_TRUE(system);
}

} // namespace
} // namespace quorvin::test
