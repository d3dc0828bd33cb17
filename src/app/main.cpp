#include <csignal>

#include "app/command_line.h"

int main(int argc, char** argv) {
    // A write past the file-size limit must fail like a full disk, with a message that names
    // the file, rather than end the program with a signal and a half-done build.
    std::signal(SIGXFSZ, SIG_IGN);
    return scenario::run_command_line(argc, argv);
}
