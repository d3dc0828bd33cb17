// Which scenario a source file belongs to, from its name and the files beside it. A scenario
// is the pair R_linea.txt / R_T-.txt in one folder: a line file names its route R, and its
// train is the one whose file lies beside it; a train file's name holds both, split at the
// underscore after which the route's line file is found.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/record_origins.h"
#include "source/scenario_files.h"

namespace scenario::editor {

struct source_pair {
    std::string folder;
    scenario_identity identity;
    source_file opened = source_file::none;  // which of the two the file is
    // A line file with no train file beside it: the line is checked with an empty train.
    bool train_missing = false;
    // A line file with several train files beside it: the first by name is taken.
    std::vector<std::string> other_trains;
};

// The pair of the file at `path`, given the names of the files in its folder (on disk and
// open in the editor); none for a file that is neither a line nor a train file.
std::optional<source_pair> identify_source(const std::string& path,
                                           const std::vector<std::string>& names_beside);

}  // namespace scenario::editor
