#include <new>

#include "app/command_line.h"
#include "app/process_setup.h"

int main(int argc, char** argv) {
    scenario::prepare_process();
    try {
        return scenario::run_command_line(argc, argv);
    } catch (const std::bad_alloc&) {
        // Out of the command's own frames: its folder lock and partial files are gone already.
        return scenario::report_out_of_memory(argc, argv);
    }
}
