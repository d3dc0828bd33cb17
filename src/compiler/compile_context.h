// Everything one compile works on: where the sources are, whose scenario it is, the
// scenario record being filled, the error state and the source texts as they were read. The
// two readers, the grid pass and the compile routine all work on one context; a context
// compiled again starts afresh.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "compiler/error_state.h"
#include "compiler/scenario_record.h"
#include "source/scenario_files.h"
#include "source/source_text.h"

namespace scenario {

struct compile_options {
    std::string folder;  // the folder that holds the sources and receives the output
    scenario_identity identity;
    // The built-in build deletes its intermediate sources after reading them; an author's
    // own sources are only ever read.
    bool delete_sources = true;
};

struct compile_context {
    explicit compile_context(compile_options opts) : options(std::move(opts)) {}

    compile_options options;
    scenario_record record;
    error_state errors;
    // The texts that the readers read, which the messages about them quote.
    source_texts sources;
    // The next item-table entry for an indicator board's text: 80 downward. The train half
    // stops its stations below the lowest board.
    std::int32_t prossima_voce_cartello = entry::first_board_text;

    std::string line_source_path() const;
    std::string train_source_path() const;
};

}  // namespace scenario
