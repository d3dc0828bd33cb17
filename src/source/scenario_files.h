// The scenario's identity and the names of every file that a build writes or reads. All of
// them lie in one folder; each name is built from the route identifier and the train
// number.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

struct scenario_identity {
    std::string nome_percorso;  // route identifier, prefix of every file name
    std::string numero_treno;   // train number
};

// How each kind of file's name ends: a file's kind is told by its ending, and its route and
// train by what stands before it. The grid file's ending is also the line file's: a name is
// a line file's when it ends with the longer ending.
inline constexpr std::string_view line_source_ending = "_linea.txt";    // route_linea.txt
inline constexpr std::string_view train_source_ending = "-.txt";        // route_train-.txt
inline constexpr std::string_view compiled_line_ending = "_linea.dat";  // route_linea.dat
inline constexpr std::string_view item_file_ending = ".sim";            // route_train.sim
inline constexpr std::string_view grid_file_ending = ".dat";            // route_train.dat

// The identity that this build of the program carries.
scenario_identity builtin_identity();

std::string line_source_name(const scenario_identity& identity);   // route_linea.txt
std::string train_source_name(const scenario_identity& identity);  // route_train-.txt
std::string route_notes_name(const scenario_identity& identity);   // route_train_note.txt
std::string slowdown_order_name(const scenario_identity& identity);
std::string train_sheet_name(const scenario_identity& identity);
std::string compiled_line_name(const scenario_identity& identity);  // route_linea.dat
std::string item_file_name(const scenario_identity& identity);      // route_train.sim
std::string grid_file_name(const scenario_identity& identity);      // route_train.dat

}  // namespace scenario
