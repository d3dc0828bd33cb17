// The compile's diagnostics in the protocol's terms: for each file of a pair, its
// publishDiagnostics params, every error and warning with the range of its field, its code,
// the related records as relatedInformation, and "Unnecessary" on a key that names nothing
// read (an editor fades it). A diagnostic that no source line caused stands at the train
// file's start.
#pragma once

#include <vector>

#include "compiler/diagnostic_list.h"
#include "lsp/json_rpc.h"
#include "lsp/scenario_session.h"
#include "lsp/text_positions.h"

namespace scenario::lsp {

// The file that a diagnostic is published on.
source_file file_of(const compiled_pair& pair, const diagnostic& told);

// A range of the compiler's (lines and byte columns from 1) in the protocol's terms.
json range_json(const compiled_pair& pair, source_file file, const source_range& range,
                position_encoding encoding);

json diagnostic_json(const compiled_pair& pair, const diagnostic& told, position_encoding encoding);

// The params of textDocument/publishDiagnostics for one file of the pair.
json published_diagnostics(const compiled_pair& pair, source_file file, position_encoding encoding);

}  // namespace scenario::lsp
