# `make package`: a Debian package of the Linux build and a .zip of the Windows build, made by
# CPack from the install rules (cmake/install_rules.cmake). The version is the project's own
# (project(VERSION) in the top CMakeLists.txt); the Debian package depends on the libraries
# that the program and its modules link, as dpkg-shlibdeps finds them.
set(CPACK_PACKAGE_NAME scenario-builder)
set(CPACK_PACKAGE_VENDOR "Scenario builder maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Scenario builder for a train-driving simulator: compiles, checks and draws scenarios")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Writes and compiles the built-in scenario of the train-driving simulator, and compiles, "
    "checks, inspects, compares and draws scenarios of your own: a line source and a train "
    "source become the three binary files that the simulator loads. `check` checks a whole "
    "collection of scenarios at once and reports as text, JSON, SARIF or CI annotations.")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_CHECKSUM SHA256)
# The build keeps its debug information; the package does not.
set(CPACK_STRIP_FILES TRUE)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME scenario-builder-${PROJECT_VERSION}-windows-x86_64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Scenario builder maintainers <scenario-builder@localhost>")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
