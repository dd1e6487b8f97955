#include "conformance/ProfileConformance.h"

#include "store/PortableProfileFile.h"
#include "store/win32/Win32ProfileFile.h"

#include "support/win32/RunsUnderWine.h"

namespace quorvin::test {

INSTANTIATE_TEST_SUITE_P(Wine, ProfileConformance,
                         ::testing::Values(
                             ProfileImplementation{"Win32",
                                                   [](const std::string& path) -> std::unique_ptr<ProfileFile> {
                                                     return std::make_unique<Win32ProfileFile>(path);
                                                   },
                                                   false, RunsUnderWine()},
                             ProfileImplementation{"Portable",
                                                   [](const std::string& path) -> std::unique_ptr<ProfileFile> {
                                                     return std::make_unique<PortableProfileFile>(path);
                                                   },
                                                   true, false}),
                         ImplementationName);

} // namespace quorvin::test
