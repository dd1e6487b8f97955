# The downloads, made by `cmake --build --preset windows-cross --target package`
# in build/windows-cross/:
#   Quorvin-3.5-win64.zip        one folder, Quorvin-3.5-win64\, holding Quorvin.exe,
#                                Pevrix.exe, help.html, ReadMe.txt and Licence.txt
#   Quorvin-3.5-win64-setup.exe  the installer (NSIS; packaging/nsis/NSIS.template.in)
#   Quorvin-3.5-win64.msi        the MSI for administrators (packaging/msi/, built
#                                with wixl from the zip's folder; only where
#                                wixl and msibuild are installed)
# Only the install component "Quorvin" goes into them. data.ini is not part of
# any: the program writes it beside itself at its first exit.
set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
# The names of the two files (include(CPack) leaves CPACK_PACKAGE_FILE_NAME
# set to the source package's, hence names of our own).
set(QUORVIN_ZIP_FILE_NAME "${PROJECT_NAME}-${QUORVIN_VERSION_TEXT}-win64")
set(QUORVIN_SETUP_FILE_NAME "${QUORVIN_ZIP_FILE_NAME}-setup")

# The program opens help.html from its own folder, so the build tree's bin/
# holds a copy beside Quorvin.exe too (Visual Studio puts it in a folder per
# configuration).
if(CMAKE_CONFIGURATION_TYPES)
  set(built_help ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/$<CONFIG>/help.html)
else()
  set(built_help ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help.html)
endif()
add_custom_command(OUTPUT ${built_help}
                   COMMAND ${CMAKE_COMMAND} -E copy_if_different ${packaging_source}/help.html ${built_help}
                   DEPENDS ${packaging_source}/help.html
                   COMMENT "Copying help.html beside Quorvin.exe")
add_custom_target(quorvin_help ALL DEPENDS ${built_help})
add_dependencies(Quorvin quorvin_help)

# Windows line ends, so that every Notepad shows the lines.
foreach(text ReadMe Licence)
  configure_file(${packaging_source}/${text}.txt.in ${packaging_build}/${text}.txt @ONLY NEWLINE_STYLE CRLF)
endforeach()

install(TARGETS Quorvin Pevrix RUNTIME DESTINATION . COMPONENT Quorvin)
install(FILES ${packaging_source}/help.html ${packaging_build}/ReadMe.txt ${packaging_build}/Licence.txt
        DESTINATION . COMPONENT Quorvin)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "${QUORVIN_COMPANY}")
set(CPACK_PACKAGE_VERSION "${QUORVIN_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Switches a network adapter between named sets of settings")
set(CPACK_SYSTEM_NAME win64)
# Without the debug information of the RelWithDebInfo build.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME "${QUORVIN_ZIP_FILE_NAME}")
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Quorvin;/")
set(CPACK_RESOURCE_FILE_LICENSE ${packaging_build}/Licence.txt)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
# The installer is named "...-setup.exe" (cmake/CPackOptions.cmake.in).
set(CPACK_PROJECT_CONFIG_FILE ${packaging_build}/CPackOptions.cmake)
configure_file(${CMAKE_CURRENT_LIST_DIR}/CPackOptions.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)

# The installer: CPack fills in our own template, found on the module path.
list(APPEND CMAKE_MODULE_PATH ${packaging_source}/nsis)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "${PROJECT_NAME} ${QUORVIN_VERSION_TEXT}")
set(CPACK_NSIS_DISPLAY_NAME "${PROJECT_NAME} ${QUORVIN_VERSION_TEXT}")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# Read by the template only (CPack passes every CPACK_ variable on).
set(CPACK_QUORVIN_ICON ${CMAKE_SOURCE_DIR}/src/app/win32/res/quorvin.ico)
set(CPACK_QUORVIN_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_QUORVIN_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_QUORVIN_FILE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${QUORVIN_BUILD_HIGH}.${QUORVIN_BUILD_LOW}")
set(CPACK_QUORVIN_COPYRIGHT "${QUORVIN_COPYRIGHT}")
# The start with Windows that the options dialog registers (src/system/AutoStart.h:
# the task named after the program), the Run value that earlier versions wrote
# (the program's title with its version), and the main window's class, by
# which the installer sees a running copy (src/app: the single-instance
# rendezvous).
set(CPACK_QUORVIN_TASK_NAME "${PROJECT_NAME}")
set(CPACK_QUORVIN_RUN_VALUE "${PROJECT_NAME} ${QUORVIN_VERSION_TEXT}")
set(CPACK_QUORVIN_WINDOW_CLASS "Quorvin Made by Corvane Software")

# The MSI: CMake fills in the WiX source, cpack's step after the zip
# (cmake/MsiPackage.cmake.in) runs packaging/msi/build-msi.sh on the zip's
# folder.
set(QUORVIN_MSI_FILE_NAME "${QUORVIN_ZIP_FILE_NAME}.msi")
set(QUORVIN_MSI ${CMAKE_BINARY_DIR}/${QUORVIN_MSI_FILE_NAME})
set(QUORVIN_MSI_WXS ${packaging_build}/Quorvin.wxs)
set(QUORVIN_MSI_SCRIPT ${packaging_source}/msi/build-msi.sh)
set(QUORVIN_MSI_ICON ${CPACK_QUORVIN_ICON})
set(QUORVIN_MSI_FILES ${packaging_build}/msi-files)
set(QUORVIN_TASK_NAME "${CPACK_QUORVIN_TASK_NAME}")
configure_file(${packaging_source}/msi/Quorvin.wxs.in ${QUORVIN_MSI_WXS} @ONLY)
find_program(QUORVIN_WIXL wixl)
find_program(QUORVIN_MSIBUILD msibuild)
if(QUORVIN_WIXL AND QUORVIN_MSIBUILD)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/MsiPackage.cmake.in ${packaging_build}/MsiPackage.cmake @ONLY)
  list(APPEND CPACK_POST_BUILD_SCRIPTS ${packaging_build}/MsiPackage.cmake)
else()
  message(STATUS "No wixl and msibuild (Debian: wixl, msitools): the package target makes no MSI")
endif()

include(CPack)

# Installs, runs and uninstalls the built packages under Wine; skipped (77)
# until the package target has made them (the MSI's upgrade check builds a
# higher version itself, from the configured WiX source). It drives the one Wine desktop and
# Quorvin's single instance, so it runs alone.
if(QUORVIN_BUILD_TESTS)
  add_test(NAME package-e2e
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/package-e2e.sh ${CMAKE_BINARY_DIR}/${QUORVIN_ZIP_FILE_NAME}.zip
                   ${CMAKE_BINARY_DIR}/${QUORVIN_SETUP_FILE_NAME}.exe ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                   ${QUORVIN_MSI} ${QUORVIN_MSI_WXS} ${QUORVIN_MSI_ICON})
  set_tests_properties(package-e2e PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 600)
endif()
