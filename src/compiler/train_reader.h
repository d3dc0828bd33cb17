// The train file reader, the second half of `memorizza_dati`: it reads the train source
// file into the item table and places the series, signals, slowdowns, "abbattimento" points
// and station ends into the grid that the line half built.
#pragma once

#include "compiler/compile_context.h"

namespace scenario {

void read_train_file(compile_context& context);

}  // namespace scenario
