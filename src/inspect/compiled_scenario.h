// The three compiled files of one scenario, found and read back together. The files name
// each other: R_T.sim and R_T.dat differ only in their ending, the item file holds the route
// R that names R_linea.dat, and R_linea.dat names the route whose item file R_T.sim lies
// beside it. So one of them, or a folder with the route and the train, is enough to find all
// three. The line file may be missing: a compile without the line writes none.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "format/scenario_record.h"
#include "source/status.h"

namespace scenario {

struct compiled_scenario_files {
    std::string items;  // R_T.sim
    std::string grid;   // R_T.dat
    std::string line;   // R_linea.dat; it may not exist
};

// The tables of the three files. `profilo` is missing when the line file is.
struct compiled_tables {
    std::array<voce, numero_voci> voci{};
    std::vector<cella> celle;
    std::optional<profilo_linea> profilo;
};

// The files of the scenario that `one_file` (any of the three) belongs to. A line file
// alone names only its route: the train is the one whose item file lies beside it, and
// `train` chooses when there are several.
status find_compiled_files(const std::string& one_file, const std::string& train,
                           compiled_scenario_files& files);

// The files of route and train in the folder; with neither given, the scenario whose item
// file is the only one in the folder.
status find_compiled_files_in(const std::string& folder, const std::string& route,
                              const std::string& train, compiled_scenario_files& files);

// Whether a path names a folder (rather than a file).
bool is_folder(const std::string& path);

// Reads one compiled file whole; a file larger than any compiled file is refused unread.
status read_compiled_file(const std::string& path, std::string& bytes);

// Reads and decodes the three files; the item and grid files must be there, and the three
// must be one compile's (compiled_set.h).
status read_compiled_tables(const compiled_scenario_files& files, compiled_tables& tables);

// The tables that a compile kept in memory would write: the same values the files hold once
// written and read back. The plan's rows are computed only when asked for (a million rows
// for a line of 1000 km).
compiled_tables tables_of_record(const scenario_record& record, bool with_plan = true);

}  // namespace scenario
