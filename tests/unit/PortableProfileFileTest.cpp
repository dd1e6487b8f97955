#include "conformance/ProfileConformance.h"

#include "store/PortableProfileFile.h"

namespace quorvin::test {

INSTANTIATE_TEST_SUITE_P(Native, ProfileConformance,
                         ::testing::Values(ProfileImplementation{
                             "Portable",
                             [](const std::string& path) -> std::unique_ptr<ProfileFile> {
                               return std::make_unique<PortableProfileFile>(path);
                             },
                             true, false}),
                         ImplementationName);

} // namespace quorvin::test
