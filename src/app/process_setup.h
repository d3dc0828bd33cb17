// What the process sets up for its system before the command line is read.
#pragma once

namespace scenario {

// Also: SIGINT and SIGTERM, and a failure that ends the program at once (std::terminate), remove
// the partial files and the lock file of the run before it ends.
void prepare_process();

// The end of a run on a failure that nothing handles (std::terminate): the run's partial files
// and lock file removed, a message, exit status 2. For memory exhausted in a place where the
// exception cannot travel (a thread, a destructor); elsewhere main catches it.
void end_at_once_on_unexpected_failure();

// The end of a run whose memory ran out: says so, naming the command, and gives exit status 2.
int report_out_of_memory(int argc, char** argv);

// For a command that writes to a client through a pipe: a client gone makes a write fail,
// rather than end the process with a signal.
void survive_closed_pipes();

}  // namespace scenario
