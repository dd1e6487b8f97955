# The product's version, build number and maker, kept here once. The version
# resources of both programs include the generated ProductVersion.rc, the
# about box the generated ProductVersion.h (target product_version), and the
# packages are named after the same variables.
set(QUORVIN_BUILD_NUMBER 20220502)
set(QUORVIN_COMPANY "Corvane Software")
set(QUORVIN_COPYRIGHT "Copyright (C) 2004-2022 ${QUORVIN_COMPANY}")
set(QUORVIN_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")

# A field of the fixed version is 16 bits wide, too narrow for 20220502:
# the build goes into the last two fields as year and month-day (2022.502).
math(EXPR QUORVIN_BUILD_HIGH "${QUORVIN_BUILD_NUMBER} / 10000")
math(EXPR QUORVIN_BUILD_LOW "${QUORVIN_BUILD_NUMBER} % 10000")

configure_file(${CMAKE_CURRENT_LIST_DIR}/ProductVersion.rc.in ${CMAKE_BINARY_DIR}/generated/ProductVersion.rc @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ProductVersion.h.in ${CMAKE_BINARY_DIR}/generated/ProductVersion.h @ONLY)
add_library(product_version INTERFACE)
target_include_directories(product_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
