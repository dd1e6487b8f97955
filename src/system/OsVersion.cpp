#include "system/OsVersion.h"

namespace quorvin {

int OsVersionCode(const OsVersion& version) {
  if (version.PlatformId == kPlatformNt) {
    if (version.Major == 5 && version.Minor == 1)
      return 9;
    if (version.Major == 5 && version.Minor == 2)
      return 10;
    switch (version.Major) {
    case 3:
      return 5;
    case 4:
      return 6;
    case 5:
      return 7;
    default:
      return kOsVersionNt6OrLater;
    }
  }
  if (version.Major == 4 && version.Minor == 0)
    return 1;
  if (version.Major == 4 && version.Minor == 10)
    return 3;
  if (version.Major == 4 && version.Minor == 90)
    return 8;
  return kOsVersionNt6OrLater;
}

int GetOsVersionCode(HostSettings& host) { return OsVersionCode(host.Version()); }

} // namespace quorvin
