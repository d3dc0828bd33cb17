// What the process sets up for its system before the command line is read.
#pragma once

namespace scenario {

void prepare_process();

}  // namespace scenario
