#include "compiler/train_reader.h"

namespace scenario {

// Until the train reader exists, the train file stays where the writer put it.
void read_train_file(compile_context&) {}

}  // namespace scenario
