# Helpers that every folder's CMakeLists.txt uses: a library per folder, its unit tests
# gathered into the one test program, and the check that keeps the core free of third-party
# libraries.

# The folders of the core. They may link one another and nothing else.
set(scenario_core_targets scenario_source scenario_compiler scenario_documents)

# A static library for one folder of src/, whose headers are included as "folder/name.h".
function(scenario_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# Unit tests stand beside the code they test; all of them go into one test program.
function(scenario_unit_tests)
    foreach(test_source ${ARGN})
        set_property(GLOBAL APPEND PROPERTY scenario_test_sources
                     ${CMAKE_CURRENT_SOURCE_DIR}/${test_source})
    endforeach()
endfunction()

# Fails the configuration when a core target links anything but other core targets.
function(scenario_check_core_dependencies)
    foreach(target ${scenario_core_targets})
        get_target_property(linked ${target} LINK_LIBRARIES)
        if(NOT linked)
            continue()
        endif()
        foreach(library ${linked})
            if(NOT library IN_LIST scenario_core_targets)
                message(FATAL_ERROR "the core target ${target} links ${library}: the core "
                                    "(source, compiler, documents) uses the standard library only")
            endif()
        endforeach()
    endforeach()
endfunction()
