# CLI11 for the Windows build: Debian's headers, seen through a folder of their own.
include(${CMAKE_CURRENT_LIST_DIR}/host_header_library.cmake)
if(NOT TARGET CLI11::CLI11)
    scenario_host_header_library(CLI11::CLI11 CLI CLI/CLI.hpp libcli11-dev)
endif()
set(CLI11_FOUND TRUE)
