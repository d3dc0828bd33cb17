// The built-in build: the start-up sequence that shows the waiting window, writes the
// scenario's two source files and three crew documents into the application folder,
// compiles the sources into the three compiled files and ends. The folder is locked for the
// whole of the work, so that another run into the same folder waits for it (see
// source/folder_lock.h).
#pragma once

#include <string>

#include "app/platform.h"
#include "compiler/compile_routine.h"

namespace scenario {

// What the build does when one of its text files (the two sources, the three documents) is
// already in the folder with other content than it writes.
enum class other_content {
    replace,  // as the build always has in its own folder
    keep,     // refuse before writing anything: the file is someone's own work
};

// The fatal error box: shows " Errore n. " followed by the code and returns the exit status
// with which the program must end at once.
int errore(platform& desktop, const std::string& a);

// Runs the whole build in the folder and returns the program's exit status.
int run_builtin_build(platform& desktop, const std::string& folder,
                      other_content existing = other_content::replace);

// Ends the build after the compile routine: the fatal error box for a stamp slot in use, the
// message of a failure outside the compiler, or the normal end with the files written.
int end_build(platform& desktop, const compile_outcome& outcome);

}  // namespace scenario
