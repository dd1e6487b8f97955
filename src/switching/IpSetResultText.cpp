#include "switching/IpSet.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quorvin {

namespace {

constexpr std::pair<std::int32_t, std::string_view> kResultTexts[] = {
    {0, "Successful completion, no reboot required."},
    {1, "Successful completion, reboot required."},
    {64, "Method not supported on this platform."},
    {65, "Unknown failure."},
    {66, "Invalid subnet mask."},
    {67, "An error occurred while processing an instance that was returned."},
    {68, "Invalid input parameter."},
    {69, "More than five gateways specified."},
    {70, "Invalid IP address."},
    {71, "Invalid gateway IP address."},
    {72, "An error occurred while accessing the registry for the info."},
    {73, "Invalid domain name."},
    {74, "Invalid host name."},
    {75, "No primary or secondary WINS server defined."},
    {76, "Invalid file."},
    {77, "Invalid system path."},
    {78, "File copy failed."},
    {79, "Invalid security parameter."},
    {80, "Unable to configure TCP/IP service."},
    {81, "Unable to configure DHCP service. Please check whether you had used the IP address on "
         "another network adapter."},
    {82, "Unable to renew DHCP lease."},
    {83, "Unable to release DHCP lease."},
    {84, "IP not enabled on adapter."},
    {85, "IPX not enabled on adapter."},
    {86, "Frame/network number bounds error."},
    {87, "Invalid frame type."},
    {88, "Invalid network number."},
    {89, "Duplicate network number."},
    {90, "Parameter out of bounds."},
    {91, "Access denied."},
    {92, "Out of memory."},
    {93, "Already exists."},
    {94, "Path, file, or object not found."},
    {95, "Unable to notify service."},
    {96, "Unable to notify DNS service."},
    {97, "Interface not configurable."},
    {98, "Not all DHCP leases could be released or renewed."},
    {100, "DHCP not enabled on adapter."},
    {kNoMatchingAdapter, "Please check if the connection is active. For example, whether your "
                         "network card is disconnected."},
    {kMethodCallError, "Unknown OLE Error"},
};

} // namespace

std::string_view IpSetResultText(std::int32_t code) {
  const auto found = std::find_if(std::begin(kResultTexts), std::end(kResultTexts),
                                  [code](const auto& entry) { return entry.first == code; });
  return found == std::end(kResultTexts) ? std::string_view() : found->second;
}

} // namespace quorvin
