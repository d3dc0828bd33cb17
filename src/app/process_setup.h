// What the process sets up for its system before the command line is read.
#pragma once

namespace scenario {

void prepare_process();

// For a command that writes to a client through a pipe: a client gone makes a write fail,
// rather than end the process with a signal.
void survive_closed_pipes();

}  // namespace scenario
