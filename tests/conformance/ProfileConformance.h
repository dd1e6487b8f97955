#pragma once
// The rules of the Windows profile functions, checked against each
// implementation of ProfileFile: the portable engine natively and under
// Wine, the Win32 one under Wine.

#include "store/ProfileFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quorvin::test {

struct ProfileImplementation {
  const char* Name;
  std::unique_ptr<ProfileFile> (*Open)(const std::string& path);
  // The portable engine refuses read-only files itself; the Win32 one relies
  // on the system, which lets root write them under Wine.
  bool RefusesReadOnlyItself;
  // The system's profile functions under Wine: the cases where Wine is known
  // to differ from Windows are left out for it.
  bool IsWine;
};

class ProfileConformance : public ::testing::TestWithParam<ProfileImplementation> {};

inline std::string ImplementationName(const ::testing::TestParamInfo<ProfileImplementation>& info) {
  return info.param.Name;
}

} // namespace quorvin::test
