// The command line. Without arguments the program runs the built-in build in its own
// folder; subcommands serve people who work on scenarios of their own.
#pragma once

namespace scenario {

int run_command_line(int argc, char** argv);

}  // namespace scenario
