// Finds the scenarios of a collection: under each folder named, recursively, every train
// source R_T-.txt that has its line source R_linea.txt beside it. A folder may hold many
// routes and many trains of each. The scenarios come sorted by folder, route and train, each
// once however often the paths named reach it, so that a report lists them in the same order
// on every run.
//
// Folders whose name starts with a dot (a repository's .git) are passed over, and so are
// links to folders, which could lead round in a circle; a link to a file is followed.
#pragma once

#include <string>
#include <vector>

#include "check/checked_scenario.h"
#include "source/scenario_files.h"

namespace scenario {

struct found_scenario {
    std::string folder;
    scenario_identity identity;

    bool operator==(const found_scenario& other) const {
        return folder == other.folder && identity.nome_percorso == other.identity.nome_percorso &&
               identity.numero_treno == other.identity.numero_treno;
    }
};

struct scenario_search {
    std::vector<found_scenario> scenarios;
    std::vector<unreadable_path> unreadable;
};

// Each path is a folder, searched recursively, or one source file: a line source stands for
// every train of its route in its folder, a train source for its own scenario. A path that
// does not exist or cannot be read, a folder under it that cannot be read, and a file that is
// no scenario's source are each reported as unreadable; the search goes on past them.
scenario_search find_scenarios(const std::vector<std::string>& paths);

// The scenarios that the names of one folder's files make up: each train source paired with
// its line source. A train file name that more than one route of the folder could begin
// (A_B_1-.txt with both A_linea.txt and A_B_linea.txt) belongs to the longest route.
std::vector<scenario_identity> pair_sources(const std::vector<std::string>& file_names);

}  // namespace scenario
