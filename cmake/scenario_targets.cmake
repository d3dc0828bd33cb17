# Helpers that every folder's CMakeLists.txt uses: a library per folder, its unit tests
# gathered into the one test program, the check that keeps the core free of third-party
# libraries and the one that keeps the readers out of the views of compiled scenarios.

# The folders of the core. They may link one another and nothing else.
set(scenario_core_targets scenario_source scenario_format scenario_compiler scenario_documents)

# The headers of the compiler's readers: the line and train readers, the skeleton and the
# cursor they share, the checks made while reading, the map of how each field was read, and
# the grid pass. The folders that only look at a compiled scenario read it through the compiled
# format (src/format) and never include these. The compiler's public face stays open to them:
# the compile itself (compile_routine.h, and compile_report.h and compile_context.h for a
# compile held in memory), its diagnostics, the origins of the objects, the table of fields and
# the fastest run.
set(scenario_reader_headers
    compiled_texts.h
    grid_pass.h
    grid_pass_points.h
    line_reader.h
    line_reading.h
    reading_map.h
    record_shape.h
    series_order.h
    source_cursor.h
    source_file_checks.h
    source_reading.h
    train_reader.h
    train_reading.h
    unread_fields.h)
set(scenario_format_only_folders src/inspect src/plot src/view src/documents)

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
                                    "(source, format, compiler, documents) uses the standard "
                                    "library only")
            endif()
        endforeach()
    endforeach()
endfunction()

# Fails the configuration when a file of a folder that only looks at compiled scenarios
# includes a header of the compiler's readers. It reads the files at every configure.
function(scenario_check_reader_includes)
    list(JOIN scenario_reader_headers "|" names)
    string(REPLACE "." "\\." names "${names}")
    set(reader_include "^[ \t]*#[ \t]*include[ \t]*\"compiler/(${names})\"")
    set(found "")
    foreach(folder ${scenario_format_only_folders})
        file(GLOB_RECURSE sources ${PROJECT_SOURCE_DIR}/${folder}/*.h
             ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
        foreach(source ${sources})
            file(STRINGS ${source} lines REGEX "${reader_include}")
            foreach(line ${lines})
                string(REGEX MATCH "compiler/[a-z_]+\\.h" header "${line}")
                file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR} ${source})
                string(APPEND found "\n  ${name} includes ${header}")
            endforeach()
        endforeach()
    endforeach()
    if(found)
        list(JOIN scenario_format_only_folders ", " folders)
        message(FATAL_ERROR "a header of the compiler's readers is included where only the "
                            "compiled format belongs:${found}\n"
                            "${folders} read compiled scenarios through src/format and compile "
                            "through the compiler's public face (compile_routine.h, "
                            "compile_report.h), never through the readers; the list of the "
                            "readers' headers is scenario_reader_headers in "
                            "cmake/scenario_targets.cmake")
    endif()
endfunction()
