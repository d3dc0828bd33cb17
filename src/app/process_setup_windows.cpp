#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <clocale>
#include <cstdio>

#include "app/process_setup.h"
#include "source/run_files.h"

namespace scenario {
namespace {

// Ctrl-C, Ctrl-Break or the console closed: the system runs this on a thread of its own, so
// the run's partial files and lock file are removed here; the default handling then ends the
// process.
BOOL WINAPI clean_up_when_stopped(DWORD) {
    remove_files_of_stopped_run();
    return FALSE;
}

}  // namespace

void prepare_process() {
    // The standard streams carry the program's bytes as they are: the same output as on other
    // systems, with no CR put before each LF.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // Arguments and file names are single bytes of the ANSI code page; the C library, and the
    // file-system paths made from them, convert them to the system's wide names by it.
    std::setlocale(LC_CTYPE, ".ACP");
    // A drive without its medium fails like any missing file, without a system dialog.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ::SetConsoleCtrlHandler(clean_up_when_stopped, TRUE);
    end_at_once_on_unexpected_failure();
}

// A write to a pipe whose reader is gone fails on Windows without a signal.
void survive_closed_pipes() {}

}  // namespace scenario
