// The built-in pair as an editor holds it, for the editor's tests: both texts held, in a
// folder where no file exists.
#pragma once

#include <memory>
#include <string>

#include "editor/pair_compile.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"

namespace scenario::editor {

inline source_pair pair_in_nowhere() {
    source_pair pair;
    pair.folder = "/nowhere";
    pair.identity = builtin_identity();
    pair.opened = source_file::train;
    return pair;
}

inline std::unique_ptr<pair_compile> compile_texts(const std::string& line_text,
                                                   const std::string& train_text) {
    const source_pair pair = pair_in_nowhere();
    return compile_pair(pair, {{line_path_of(pair), line_text}, {train_path_of(pair), train_text}},
                        false);
}

inline std::unique_ptr<pair_compile> builtin_pair() {
    return compile_texts(compose_line_table(builtin_line_table()),
                         compose_line_table(builtin_train_table()));
}

}  // namespace scenario::editor
