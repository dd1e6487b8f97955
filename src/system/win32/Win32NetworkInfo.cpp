#include "system/win32/Win32NetworkInfo.h"

// First: it includes winsock2.h, which must come before windows.h (included
// by Win32Text.h).
#include "base/win32/IpHelperCalls.h"

#include "base/AsciiCase.h"
#include "system/win32/Win32Text.h"

#include <netcon.h>
#include <objbase.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <memory>

using Microsoft::WRL::ComPtr;

namespace quorvin {
namespace {

// Named here rather than taken from a library, as not every toolchain's
// uuid library carries them.
constexpr GUID kClsidConnectionManager = {
    0xBA126AD1, 0x2166, 0x11D1, {0xB1, 0xD0, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};
constexpr GUID kIidNetConnectionManager = {
    0xC08956A2, 0x1CD3, 0x11D1, {0xB1, 0xC5, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};

constexpr ULONG kAdapterInfoBufferSize = 5120;

std::string GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40); // upper case, with braces
  return NarrowText(text);
}

// Frees what INetConnection::GetProperties allocated, as
// NcFreeNetconProperties does.
struct PropertiesFree {
  void operator()(NETCON_PROPERTIES* properties) const {
    CoTaskMemFree(properties->pszwName);
    CoTaskMemFree(properties->pszwDeviceName);
    CoTaskMemFree(properties);
  }
};

// A buffer aligned for the records that the IP helper functions put in it.
class RecordBuffer {
public:
  explicit RecordBuffer(ULONG size) { Resize(size); }
  void Resize(ULONG size) { FWords.assign((size + 7) / 8, 0); }
  template <typename T> T* As() { return reinterpret_cast<T*>(FWords.data()); }

private:
  std::vector<std::uint64_t> FWords;
};

} // namespace

std::optional<std::vector<ConnectionRecord>> Win32NetworkInfo::Connections() {
  ComPtr<INetConnectionManager> manager;
  if (FAILED(CoCreateInstance(kClsidConnectionManager, nullptr,
                              CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kIidNetConnectionManager,
                              reinterpret_cast<void**>(manager.GetAddressOf()))))
    // Some Windows editions and Wine have no connection manager
    // (REGDB_E_CLASSNOTREG); the adapters' own records still name them.
    return ConnectionsFromAdapterAddresses();

  ComPtr<IEnumNetConnection> connections;
  if (FAILED(manager->EnumConnections(NCME_DEFAULT, connections.GetAddressOf())))
    return std::nullopt;
  std::vector<ConnectionRecord> records;
  for (;;) {
    ComPtr<INetConnection> connection;
    ULONG fetched = 0;
    if (connections->Next(1, connection.GetAddressOf(), &fetched) != S_OK)
      break;
    NETCON_PROPERTIES* raw = nullptr;
    if (FAILED(connection->GetProperties(&raw)) || raw == nullptr)
      continue;
    const std::unique_ptr<NETCON_PROPERTIES, PropertiesFree> properties(raw);
    records.push_back({NarrowText(properties->pszwName), NarrowText(properties->pszwDeviceName),
                       GuidText(properties->guidId)});
  }
  return records;
}

std::vector<AdapterRecord> Win32NetworkInfo::Adapters() {
  RecordBuffer buffer(kAdapterInfoBufferSize);
  ULONG size = kAdapterInfoBufferSize;
  DWORD status = system32::GetAdaptersInfo(buffer.As<IP_ADAPTER_INFO>(), &size);
  if (status != ERROR_SUCCESS && size > kAdapterInfoBufferSize) {
    buffer.Resize(size);
    status = system32::GetAdaptersInfo(buffer.As<IP_ADAPTER_INFO>(), &size);
  }
  // A machine without IPv4 adapters is no error: its connections get no MAC.
  if (status == ERROR_NO_DATA)
    return {};
  if (status != ERROR_SUCCESS)
    ThrowSystemError(status);

  std::vector<AdapterRecord> records;
  for (const IP_ADAPTER_INFO* adapter = buffer.As<IP_ADAPTER_INFO>(); adapter != nullptr;
       adapter = adapter->Next) {
    const std::size_t length = std::min<std::size_t>(adapter->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
    records.push_back({static_cast<std::uint32_t>(adapter->ComboIndex), adapter->Description,
                       std::vector<std::uint8_t>(adapter->Address, adapter->Address + length)});
  }
  return records;
}

std::optional<std::vector<ConnectionRecord>> ConnectionsFromAdapterAddresses() {
  constexpr ULONG kFlags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST |
                           GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  ULONG size = 16 * 1024;
  RecordBuffer buffer(size);
  ULONG status = ERROR_BUFFER_OVERFLOW;
  // The list can grow between calls: try a few times with the size asked for.
  for (int attempt = 0; attempt < 4 && status == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.Resize(size);
    status = system32::GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr,
                                  buffer.As<IP_ADAPTER_ADDRESSES>(), &size);
  }
  if (status == ERROR_NO_DATA)
    return std::vector<ConnectionRecord>();
  if (status != ERROR_SUCCESS)
    return std::nullopt;

  std::vector<ConnectionRecord> records;
  for (const IP_ADAPTER_ADDRESSES* adapter = buffer.As<IP_ADAPTER_ADDRESSES>(); adapter != nullptr;
       adapter = adapter->Next) {
    if (adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK || adapter->IfType == IF_TYPE_TUNNEL)
      continue; // the connections folder does not show them
    records.push_back({NarrowText(adapter->FriendlyName), NarrowText(adapter->Description),
                       UpperAscii(adapter->AdapterName)});
  }
  return records;
}

} // namespace quorvin
