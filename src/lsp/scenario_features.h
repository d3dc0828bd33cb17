// The language features of the scenario sources, registered on the server's dispatcher:
// diagnostics published on every open and change (dropped when a newer change already
// waits), hover, the outline, completion of keywords, semantic tokens, formatting and the
// quick fixes of the diagnostics. Each handler translates between the protocol and the
// editor's view of a pair (src/editor); none of them compiles or describes anything itself.
#pragma once

#include "lsp/scenario_session.h"
#include "lsp/server_dispatcher.h"

namespace scenario::lsp {

// The session must outlive the dispatcher's use of the handlers.
void register_scenario_features(server_dispatcher& dispatcher, scenario_session& session);

}  // namespace scenario::lsp
