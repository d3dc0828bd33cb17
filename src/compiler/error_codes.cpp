#include "compiler/error_codes.h"

namespace scenario {

const error_code_entry* find_error_code(std::int32_t codice) {
    for (const error_code_entry& entry : error_code_table) {
        if (entry.codice == codice) {
            return &entry;
        }
    }
    return nullptr;
}

std::string_view error_code_meaning(std::int32_t codice) {
    const error_code_entry* entry = find_error_code(codice);
    return entry != nullptr ? entry->meaning : "error";
}

}  // namespace scenario
