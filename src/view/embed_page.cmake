# Writes a header that holds the page's files as bytes, so that the program carries the page
# and the repository keeps it as real HTML, JavaScript and CSS files that can be read and
# linted as such. Run as a build step:
#   cmake -DOUTPUT=HEADER -DNAMES="html;script;style" -DFILES="a.html;b.js;c.css" -P embed_page.cmake
# Each file becomes `page_NAME`, a std::string_view over its bytes exactly as they stand.
cmake_minimum_required(VERSION 3.25)

set(text "// Generated from src/view/page by embed_page.cmake: edit those files, not this one.\n")
string(APPEND text "#pragma once\n\n#include <string_view>\n\nnamespace scenario::view {\n")
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
    list(GET NAMES ${i} name)
    list(GET FILES ${i} file)
    file(READ ${file} bytes HEX)
    string(LENGTH "${bytes}" hex_length)
    math(EXPR size "${hex_length} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
    string(APPEND text "\ninline constexpr unsigned char page_${name}_bytes[] = {${bytes}0};\n")
    string(APPEND text "inline const std::string_view page_${name}{reinterpret_cast<const char*>(page_${name}_bytes), ${size}};\n")
endforeach()
string(APPEND text "\n}  // namespace scenario::view\n")
# Written only when it changes, so that an unchanged page rebuilds nothing.
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} previous)
    if(previous STREQUAL text)
        return()
    endif()
endif()
file(WRITE ${OUTPUT} "${text}")
