#include "system/win32/Win32NetworkIdentity.h"

// First: it includes winsock2.h, which must come before windows.h.
#include "base/win32/IpHelperCalls.h"

#include "base/AsciiCase.h"
#include "base/win32/WlanCalls.h"
#include "system/AdapterList.h"
#include "system/win32/Win32Text.h"

#include <objbase.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

namespace quorvin {
namespace {

struct WlanCloser {
  void operator()(HANDLE client) const noexcept { system32::WlanCloseHandle(client, nullptr); }
};
struct WlanFreer {
  void operator()(void* memory) const noexcept { system32::WlanFreeMemory(memory); }
};
using UniqueWlanClient = std::unique_ptr<std::remove_pointer_t<HANDLE>, WlanCloser>;
using UniqueWlanAttributes = std::unique_ptr<WLAN_CONNECTION_ATTRIBUTES, WlanFreer>;

// The adapters' records, with gateways; empty when they cannot be read. The
// words keep the records aligned.
std::vector<std::uint64_t> AdapterAddresses() {
  constexpr ULONG kFlags =
      GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  ULONG size = 16 * 1024;
  std::vector<std::uint64_t> words;
  ULONG status = ERROR_BUFFER_OVERFLOW;
  // The list can grow between calls: try a few times with the size asked for.
  for (int attempt = 0; attempt < 4 && status == ERROR_BUFFER_OVERFLOW; ++attempt) {
    words.assign((size + 7) / 8, 0);
    status = system32::GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr,
                                            reinterpret_cast<IP_ADAPTER_ADDRESSES*>(words.data()), &size);
  }
  if (status != ERROR_SUCCESS)
    words.clear();
  return words;
}

const IP_ADAPTER_ADDRESSES* FindAdapter(const std::vector<std::uint64_t>& records, const std::string& guid) {
  if (records.empty())
    return nullptr;
  for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(records.data()); adapter != nullptr;
       adapter = adapter->Next)
    if (adapter->AdapterName != nullptr && EqualsIgnoringCase(adapter->AdapterName, guid))
      return adapter;
  return nullptr;
}

const SOCKADDR_IN* FirstIpv4Gateway(const IP_ADAPTER_ADDRESSES& adapter) {
  for (auto* gateway = adapter.FirstGatewayAddress; gateway != nullptr; gateway = gateway->Next) {
    const SOCKADDR* address = gateway->Address.lpSockaddr;
    if (address != nullptr && address->sa_family == AF_INET)
      return reinterpret_cast<const SOCKADDR_IN*>(address);
  }
  return nullptr;
}

std::string DottedQuad(const SOCKADDR_IN& address) {
  const auto& bytes = address.sin_addr.S_un.S_un_b;
  return std::to_string(bytes.s_b1) + '.' + std::to_string(bytes.s_b2) + '.' + std::to_string(bytes.s_b3) + '.' +
         std::to_string(bytes.s_b4);
}

std::string Utf8Text(const wchar_t* text) {
  if (text == nullptr || *text == L'\0')
    return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1)
    return {};
  std::string result(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
  result.resize(static_cast<std::size_t>(length - 1));
  return result;
}

// An entry that is still being resolved, or failed to be, names no MAC.
bool HasMac(DWORD status, const MIB_IPNET_ROW2& row) {
  return status == NO_ERROR && row.PhysicalAddressLength > 0 && row.State != NlnsUnreachable &&
         row.State != NlnsIncomplete;
}

MIB_IPNET_ROW2 NeighbourKey(const IP_ADAPTER_ADDRESSES& adapter, const SOCKADDR_IN& gateway) {
  MIB_IPNET_ROW2 row{};
  row.Address.Ipv4 = gateway;
  row.Address.si_family = AF_INET;
  row.InterfaceLuid = adapter.Luid;
  row.InterfaceIndex = adapter.IfIndex;
  return row;
}

std::string GatewayMac(const IP_ADAPTER_ADDRESSES& adapter, const SOCKADDR_IN& gateway) {
  MIB_IPNET_ROW2 row = NeighbourKey(adapter, gateway);
  if (!HasMac(system32::GetIpNetEntry2(&row), row)) {
    // Nobody has talked to the gateway lately (or the entry aged out): ask
    // for it once. This waits for the answer, a few seconds at most.
    row = NeighbourKey(adapter, gateway);
    if (!HasMac(system32::ResolveIpNetEntry2(&row, nullptr), row))
      return {};
  }
  const std::size_t length = std::min<std::size_t>(row.PhysicalAddressLength, IF_MAX_PHYS_ADDRESS_LENGTH);
  return FormatMac(std::span<const std::uint8_t>(row.PhysicalAddress, length));
}

std::string Ssid(const std::string& guidText) {
  GUID guid{};
  std::wstring wide = WideText(guidText);
  if (FAILED(::IIDFromString(wide.data(), &guid)))
    return {};
  DWORD version = 0;
  HANDLE rawClient = nullptr;
  // Version 2: the client of Vista and later.
  if (system32::WlanOpenHandle(2, nullptr, &version, &rawClient) != ERROR_SUCCESS)
    return {};
  const UniqueWlanClient client(rawClient);
  DWORD size = 0;
  void* data = nullptr;
  // Fails with ERROR_INVALID_STATE for a wireless adapter that is not
  // connected and with an error for an adapter that is not wireless.
  if (system32::WlanQueryInterface(client.get(), &guid, wlan_intf_opcode_current_connection, nullptr, &size, &data,
                                   nullptr) != ERROR_SUCCESS)
    return {};
  const UniqueWlanAttributes attributes(static_cast<WLAN_CONNECTION_ATTRIBUTES*>(data));
  if (!attributes || size < sizeof(WLAN_CONNECTION_ATTRIBUTES) || attributes->isState != wlan_interface_state_connected)
    return {};
  const DOT11_SSID& ssid = attributes->wlanAssociationAttributes.dot11Ssid;
  const std::size_t length = std::min<std::size_t>(ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
  return std::string(reinterpret_cast<const char*>(ssid.ucSSID), length);
}

} // namespace

TNetworkSignature Win32NetworkIdentity::Seen(const std::string& adapterGuid) {
  try {
    const auto records = AdapterAddresses();
    const IP_ADAPTER_ADDRESSES* adapter = FindAdapter(records, adapterGuid);
    if (adapter == nullptr || adapter->OperStatus != IfOperStatusUp)
      return {};
    TNetworkSignature seen;
    if (const SOCKADDR_IN* gateway = FirstIpv4Gateway(*adapter)) {
      seen.GatewayAddress = DottedQuad(*gateway);
      seen.GatewayMac = GatewayMac(*adapter, *gateway);
    }
    seen.DnsSuffix = Utf8Text(adapter->DnsSuffix);
    seen.Ssid = Ssid(adapterGuid);
    return seen;
  } catch (...) {
    // Only memory can run out here; no network is known then.
    return {};
  }
}

} // namespace quorvin
