# A cpack pre-build step (cmake/Winget.cmake): signs the staged programs
# before the zip or the installer is made of them. scripts/sign.sh does
# nothing without a certificate in the environment.
if(NOT CPACK_QUORVIN_SIGN_SCRIPT)
  return()
endif()
file(GLOB_RECURSE staged_programs "${CPACK_TEMPORARY_DIRECTORY}/Quorvin.exe" "${CPACK_TEMPORARY_DIRECTORY}/Pevrix.exe")
if(staged_programs)
  execute_process(COMMAND bash ${CPACK_QUORVIN_SIGN_SCRIPT} ${staged_programs} RESULT_VARIABLE signed)
  if(NOT signed EQUAL 0)
    message(FATAL_ERROR "Signing the staged programs failed")
  endif()
endif()
