#include "source/scenario_files.h"

namespace scenario {

scenario_identity builtin_identity() {
    return {"Valdora_Rova", "5284"};
}

std::string line_source_name(const scenario_identity& identity) {
    return identity.nome_percorso + std::string(line_source_ending);
}

std::string train_source_name(const scenario_identity& identity) {
    return identity.nome_percorso + "_" + identity.numero_treno + std::string(train_source_ending);
}

std::string route_notes_name(const scenario_identity& identity) {
    return identity.nome_percorso + "_" + identity.numero_treno + "_" + "note.txt";
}

std::string slowdown_order_name(const scenario_identity& identity) {
    return identity.nome_percorso + "_" + identity.numero_treno + "_" + "rallentamenti.txt";
}

std::string train_sheet_name(const scenario_identity& identity) {
    return identity.nome_percorso + "_" + identity.numero_treno + "_" + "scheda_treno.txt";
}

std::string compiled_line_name(const scenario_identity& identity) {
    return identity.nome_percorso + std::string(compiled_line_ending);
}

std::string item_file_name(const scenario_identity& identity) {
    return identity.nome_percorso + "_" + identity.numero_treno + std::string(item_file_ending);
}

std::string grid_file_name(const scenario_identity& identity) {
    return identity.nome_percorso + "_" + identity.numero_treno + std::string(grid_file_ending);
}

}  // namespace scenario
