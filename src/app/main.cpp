#include "app/command_line.h"
#include "app/process_setup.h"

int main(int argc, char** argv) {
    scenario::prepare_process();
    return scenario::run_command_line(argc, argv);
}
