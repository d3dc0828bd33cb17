# Writes a header that holds the page's files as they stand, so that the program carries the
# page and the repository keeps it as real HTML, JavaScript and CSS files that can be read and
# linted as such. Run as a build step:
#   cmake -DOUTPUT=HEADER -DNAMES="html;script;style" -DFILES="a.html;b.js;c.css" -P embed_page.cmake
# Each name becomes `page_NAME`, a std::string_view over the bytes of its file, from a raw string
# literal: the compiler takes every byte of it as it is (the files are UTF-8, as the
# compiler's). A name given for several files holds them one after the other, in order.
cmake_minimum_required(VERSION 3.25)

set(delimiter "scenario_page")
set(text "// Generated from src/view/page by embed_page.cmake: edit those files, not this one.\n")
string(APPEND text "#pragma once\n\n#include <string_view>\n\nnamespace scenario::view {\n")
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
set(names_in_order "")
foreach(i RANGE ${last})
    list(GET NAMES ${i} name)
    list(GET FILES ${i} file)
    file(READ ${file} content)
    string(FIND "${content}" ")${delimiter}\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${file} holds the end of the raw string that carries it: )${delimiter}\"")
    endif()
    if(NOT name IN_LIST names_in_order)
        list(APPEND names_in_order ${name})
        set(content_of_${name} "")
    endif()
    string(APPEND content_of_${name} "${content}")
endforeach()
foreach(name ${names_in_order})
    string(APPEND text "\ninline constexpr std::string_view page_${name} = R\"${delimiter}(${content_of_${name}})${delimiter}\";\n")
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
