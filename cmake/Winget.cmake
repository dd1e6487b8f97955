# The steps that cpack runs around the packages it makes (target "package"),
# set before include(CPack) in cmake/Packaging.cmake takes them into
# CPackConfig.cmake, hence included before it:
#   - before each package is made from the staged files: scripts/sign.sh signs
#     the staged Quorvin.exe and Pevrix.exe (the stripped copies that go
#     into the zip and the installer);
#   - while makensis makes the installer: the uninstaller it embeds, and then
#     the installer itself (!uninstfinalize and !finalize in
#     packaging/nsis/NSIS.template.in);
#   - after the installer is made: the winget manifests of that installer, in
#     build/<preset>/winget/, hashed after signing.
# Without QUORVIN_SIGN_PFX in the environment scripts/sign.sh signs nothing.

# The winget manifest schema the manifests are written for: kept here only.
set(QUORVIN_WINGET_MANIFEST_VERSION 1.12.0)
set(QUORVIN_WINGET_PACKAGE_IDENTIFIER "Corvane.Quorvin")
# There is no release host: the manifests carry this placeholder, to be
# replaced by the address the installer is published at.
set(QUORVIN_WINGET_INSTALLER_URL
    "https://downloads.example.invalid/quorvin/${PROJECT_NAME}-${QUORVIN_VERSION_TEXT}-win64-setup.exe")

# Read by the cpack steps (cpack passes every CPACK_ variable on).
set(CPACK_QUORVIN_WINGET_DIR ${CMAKE_BINARY_DIR}/winget)
set(CPACK_QUORVIN_WINGET_TEMPLATES ${CMAKE_SOURCE_DIR}/packaging/winget)
set(CPACK_QUORVIN_WINGET_MANIFEST_VERSION ${QUORVIN_WINGET_MANIFEST_VERSION})
set(CPACK_QUORVIN_WINGET_PACKAGE_IDENTIFIER ${QUORVIN_WINGET_PACKAGE_IDENTIFIER})
set(CPACK_QUORVIN_WINGET_INSTALLER_URL ${QUORVIN_WINGET_INSTALLER_URL})
# The signing script, run through bash; a Visual Studio build on Windows
# signs with its own tools, not here.
if(CMAKE_HOST_UNIX)
  set(CPACK_QUORVIN_SIGN_SCRIPT ${CMAKE_SOURCE_DIR}/scripts/sign.sh)
else()
  set(CPACK_QUORVIN_SIGN_SCRIPT "")
endif()

list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/winget/SignStagedPrograms.cmake)
list(APPEND CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/winget/WriteManifests.cmake)
