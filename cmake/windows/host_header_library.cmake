# The header-only libraries of the Windows build. CLI11 and nlohmann JSON are plain headers,
# the same for every system, so the cross build uses Debian's copies. Pointing the compiler
# at /usr/include would also hand it the host's C library headers; instead each library gets
# a folder in the build tree that holds one link to its own header folder and nothing else.

# Defines the imported target `target_name` for the headers in /usr/include/<folder>, checked
# by the presence of /usr/include/<header>; `package` names the Debian package to install.
function(scenario_host_header_library target_name folder header package)
    set(host_folder /usr/include/${folder})
    if(NOT EXISTS /usr/include/${header})
        message(FATAL_ERROR "the Windows build needs /usr/include/${header}: install ${package}")
    endif()
    string(REPLACE "::" "_" link_folder_name ${target_name})
    set(link_folder ${CMAKE_BINARY_DIR}/host-headers/${link_folder_name})
    file(MAKE_DIRECTORY ${link_folder})
    file(CREATE_LINK ${host_folder} ${link_folder}/${folder} SYMBOLIC)
    add_library(${target_name} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target_name} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${link_folder})
endfunction()
