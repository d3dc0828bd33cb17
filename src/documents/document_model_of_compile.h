// The driver's documents' model (document_model.h) of a compile held in memory: the record's
// stations, kilometre references and speeds in force, and the speed limits and slowdowns as
// the train file wrote them.
#pragma once

#include "compiler/compile_context.h"
#include "documents/document_model.h"

namespace scenario {

document_model document_model_of_compile(const compile_context& context, sheet_header header);

}  // namespace scenario
