# nlohmann JSON for the Windows build: Debian's headers, seen through a folder of their own.
include(${CMAKE_CURRENT_LIST_DIR}/host_header_library.cmake)
if(NOT TARGET nlohmann_json::nlohmann_json)
    scenario_host_header_library(nlohmann_json::nlohmann_json nlohmann nlohmann/json.hpp
                                 nlohmann-json3-dev)
endif()
set(nlohmann_json_FOUND TRUE)
