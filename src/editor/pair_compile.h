// One compile of a source pair as an editor holds it: the texts of the open files in place
// of their files, the others read from disk, nothing written, and everything the compile
// knows kept for the questions that follow (what a record compiled to, the outline, how each
// field was read): the record, where each object came from, the texts read, the map of the
// reading and the diagnostics.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/compile_context.h"
#include "compiler/compile_report.h"
#include "editor/source_pair.h"
#include "inspect/scenario_description.h"
#include "source/source_text.h"

namespace scenario::editor {

struct pair_compile {
    source_pair pair;
    std::string line_path;
    std::string train_path;
    source_texts held;  // the texts given by the caller, which the compile reads
    compile_context context;
    compile_report report;

    explicit pair_compile(compile_options options) : context(std::move(options)) {}
    pair_compile(const pair_compile&) = delete;
    pair_compile& operator=(const pair_compile&) = delete;

    // The path of one of the two files.
    const std::string& path_of(source_file file) const {
        return file == source_file::line ? line_path : train_path;
    }
    // The text that the compile read from one of the two files; empty when it read none.
    std::string_view text_of(source_file file) const;
    // The compiled scenario in its author's terms, described when first asked for; none when
    // the compile gave no grid.
    const scenario_description* description() const;

  private:
    mutable std::optional<scenario_description> description_;
};

// A text held for a path: an open document's text, as the compiler reads it (single bytes).
using held_text = std::pair<std::string, std::string>;

// The paths of the pair's two files, as the compile names them.
std::string line_path_of(const source_pair& pair);
std::string train_path_of(const source_pair& pair);

// Compiles the pair from the texts held (by path) and the files for the others; `utf8` takes
// names and board texts as UTF-8, as `compile --utf8` does.
std::unique_ptr<pair_compile> compile_pair(const source_pair& pair,
                                           const std::vector<held_text>& texts, bool utf8);

}  // namespace scenario::editor
