# A cpack post-build step (cmake/Winget.cmake): once the NSIS installer is
# made (and signed), writes the winget manifests of it into
# CPACK_QUORVIN_WINGET_DIR. The names in the uninstall entry are the ones the
# installer template was filled in with.
set(installer "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "-setup\\.exe$")
    set(installer ${package})
  endif()
endforeach()
if(NOT installer)
  return()
endif()

file(SHA256 ${installer} QUORVIN_WINGET_INSTALLER_SHA256)
string(TOUPPER ${QUORVIN_WINGET_INSTALLER_SHA256} QUORVIN_WINGET_INSTALLER_SHA256)
set(id ${CPACK_QUORVIN_WINGET_PACKAGE_IDENTIFIER})
file(REMOVE_RECURSE ${CPACK_QUORVIN_WINGET_DIR})
foreach(kind IN ITEMS version installer locale.en-US)
  if(kind STREQUAL "version")
    set(manifest ${id}.yaml)
  else()
    set(manifest ${id}.${kind}.yaml)
  endif()
  configure_file(${CPACK_QUORVIN_WINGET_TEMPLATES}/${kind}.yaml.in ${CPACK_QUORVIN_WINGET_DIR}/${manifest}
                 @ONLY NEWLINE_STYLE LF)
endforeach()
message(STATUS "winget manifests written to ${CPACK_QUORVIN_WINGET_DIR}")
