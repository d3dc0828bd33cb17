#include "compiler/error_state.h"

#include <utility>

namespace scenario {

void error_state::record(const error_code_entry& code, std::optional<std::int32_t> posizione,
                         source_point where, std::string detail) {
    if (!code.has_position) {
        posizione.reset();
    }
    codice_errore = code.codice;
    if (posizione) {
        posizione_errore = *posizione;
    }
    errors_.push_back({code.codice, posizione, std::move(where), std::move(detail)});
}

void error_state::warn(source_point where, std::string message) {
    warnings_.push_back({std::move(where), std::move(message)});
}

}  // namespace scenario
