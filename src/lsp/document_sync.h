// The notifications that keep the open documents in step with the client's editor:
// textDocument/didOpen, didChange and didClose, read from their params into the store. A
// notification has no answer, so one that is not understood changes nothing and says why.
#pragma once

#include <optional>
#include <string>

#include "lsp/json_rpc.h"
#include "lsp/text_documents.h"

namespace scenario::lsp {

// Each returns nothing when the notification was applied, or what is wrong with its params.
// A change is applied whole or not at all.
std::optional<std::string> open_document(text_documents& documents, const json& params);
std::optional<std::string> change_document(text_documents& documents, const json& params,
                                           position_encoding encoding);
std::optional<std::string> close_document(text_documents& documents, const json& params);

// What the server tells the client about these notifications: open and close are sent, and
// changes come as ranges.
json text_document_sync_capabilities();

}  // namespace scenario::lsp
