#include "inspect/compiled_scenario.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "format/compiled_file_decoders.h"
#include "format/size_limits.h"
#include "inspect/compiled_set.h"
#include "source/file_access.h"
#include "source/scenario_files.h"

namespace scenario {
namespace {

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// A file beside another: the same folder as the user wrote it, or no folder at all.
std::string beside(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : join_path(folder, name);
}

std::string folder_of(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

std::string name_of(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The names of the item files in the folder that start and end as given, sorted. A name
// that the system cannot give in its code page is passed over.
// `listing_error` receives why the folder could not be listed (it may not be read).
std::vector<std::string> item_files_in(const std::string& folder, const std::string& start,
                                       const std::string& end, std::error_code& listing_error) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    listing_error = error;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::string name;
        try {
            name = entries->path().filename().string();
        } catch (const std::system_error&) {
            continue;
        }
        if (name.size() >= start.size() + end.size() && name.starts_with(start) &&
            name.ends_with(end) && entries->is_regular_file(error)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// The one item file in the folder that matches, or why there is none.
status only_item_file(const std::string& folder, const std::string& start, const std::string& end,
                      const std::string& wanted, std::string& name) {
    std::error_code listing_error;
    const std::vector<std::string> names = item_files_in(folder, start, end, listing_error);
    const std::string where = folder.empty() ? "the current folder" : folder;
    if (listing_error) {
        return status::input_output("cannot list the files of " + where + ": " +
                                    listing_error.message());
    }
    if (names.empty()) {
        return status::not_found("no compiled item file " + wanted + " in " + where +
                                 ": compile the scenario there first");
    }
    if (names.size() > 1) {
        return status::invalid_input(where + " holds several compiled scenarios (" + listed(names) +
                                     "): give --route and --train");
    }
    name = names.front();
    return status::success();
}

// The route of an item file: from its name when the name ends with the train that the file
// holds, else the route that the file holds.
status route_of_item_file(const std::string& items, std::string& route) {
    if (!exists(items)) {
        return status::not_found("no compiled item file " + items +
                                 ": the item, grid and line files of a scenario are read "
                                 "together");
    }
    std::string bytes;
    if (const status read = read_compiled_file(items, bytes); !read.ok()) {
        return read;
    }
    std::array<voce, numero_voci> voci{};
    if (const status decoded = decode_item_file(bytes, voci); !decoded.ok()) {
        return status::failure(decoded.kind(), items + ": " + decoded.message());
    }
    const std::string name = name_of(items);
    const std::string stem = name.substr(0, name.size() - item_file_ending.size());
    const std::string train_part = "_" + voci[entry::train].testo;
    route = stem.ends_with(train_part) && stem.size() > train_part.size()
                ? stem.substr(0, stem.size() - train_part.size())
                : voci[entry::route].testo;
    return status::success();
}

// Route "Lago" with train "1_2" and route "Lago_1" with train "2" share their item and grid
// files: the item file that the names lead to may hold the other scenario, whose line file
// has another name. Such a file is refused rather than read with the wrong line file.
status check_item_file_identity(const std::string& items, const scenario_identity& asked) {
    std::string bytes;
    std::array<voce, numero_voci> voci{};
    if (!exists(items) || !read_compiled_file(items, bytes).ok() ||
        !decode_item_file(bytes, voci).ok()) {
        return status::success();  // the reading that follows tells what is wrong
    }
    const std::string& route = voci[entry::route].testo;
    const std::string& train = voci[entry::train].testo;
    if (route == asked.nome_percorso ||
        route + "_" + train != asked.nome_percorso + "_" + asked.numero_treno) {
        return status::success();
    }
    return status::corrupt_file(items + " holds route " + route + " with train " + train +
                                ", not route " + asked.nome_percorso + " with train " +
                                asked.numero_treno +
                                ": the two scenarios' files have the same names; give --route " +
                                route + " --train " + train + " to read this one");
}

}  // namespace

bool is_folder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

status find_compiled_files(const std::string& one_file, const std::string& train,
                           compiled_scenario_files& files) {
    if (!exists(one_file)) {
        return status::not_found("no compiled file or folder " + one_file);
    }
    const std::string folder = folder_of(one_file);
    const std::string name = name_of(one_file);
    if (name.ends_with(compiled_line_ending)) {
        const std::string route = name.substr(0, name.size() - compiled_line_ending.size());
        std::string item_name = route + "_" + train + std::string(item_file_ending);
        if (train.empty()) {
            if (const status found =
                    only_item_file(folder, route + "_", std::string(item_file_ending),
                                   route + "_T" + std::string(item_file_ending), item_name);
                !found.ok()) {
                return found;
            }
        }
        const std::string stem = item_name.substr(0, item_name.size() - item_file_ending.size());
        files = {beside(folder, item_name), beside(folder, stem + std::string(grid_file_ending)),
                 one_file};
        return status::success();
    }
    std::string stem;
    if (name.ends_with(item_file_ending)) {
        stem = name.substr(0, name.size() - item_file_ending.size());
    } else if (name.ends_with(grid_file_ending)) {
        stem = name.substr(0, name.size() - grid_file_ending.size());
    } else {
        return status::invalid_input("cannot tell which compiled file " + one_file +
                                     " is from its name: give a file named R_T.sim, R_T.dat or "
                                     "R_linea.dat, or the folder that holds them");
    }
    files.items = beside(folder, stem + std::string(item_file_ending));
    files.grid = beside(folder, stem + std::string(grid_file_ending));
    std::string route;
    if (const status found = route_of_item_file(files.items, route); !found.ok()) {
        return found;
    }
    files.line = beside(folder, compiled_line_name({route, ""}));
    return status::success();
}

status find_compiled_files_in(const std::string& folder, const std::string& route,
                              const std::string& train, compiled_scenario_files& files) {
    if (!is_folder(folder)) {
        return status::not_found("no folder " + folder);
    }
    if (!route.empty() && !train.empty()) {
        const scenario_identity identity{route, train};
        files = {join_path(folder, item_file_name(identity)),
                 join_path(folder, grid_file_name(identity)),
                 join_path(folder, compiled_line_name(identity))};
        return check_item_file_identity(files.items, identity);
    }
    const std::string start = route.empty() ? "" : route + "_";
    const std::string end = (train.empty() ? "" : "_" + train) + std::string(item_file_ending);
    const std::string wanted = (route.empty() ? "R" : route) + "_" + (train.empty() ? "T" : train) +
                               std::string(item_file_ending);
    std::string name;
    if (const status found = only_item_file(folder, start, end, wanted, name); !found.ok()) {
        return found;
    }
    return find_compiled_files(join_path(folder, name), train, files);
}

status read_compiled_file(const std::string& path, std::string& bytes) {
    // No compiled file comes near the limit (format/size_limits.h): a larger file is refused
    // before it is read into memory.
    return read_whole_file(path, bytes, {largest_compiled_file_bytes, "a compiled file"});
}

namespace {

template <typename decoder, typename table>
status read_table(const std::string& path, const char* what, decoder decode, table& into) {
    if (!exists(path)) {
        return status::not_found(std::string("no compiled ") + what + " " + path +
                                 ": compile the scenario first");
    }
    std::string bytes;
    if (const status read = read_compiled_file(path, bytes); !read.ok()) {
        return read;
    }
    if (const status decoded = decode(bytes, into); !decoded.ok()) {
        return status::failure(decoded.kind(), path + ": " + decoded.message());
    }
    return status::success();
}

}  // namespace

status read_compiled_tables(const compiled_scenario_files& files, compiled_tables& tables) {
    if (const status read = read_table(files.items, "item file", decode_item_file, tables.voci);
        !read.ok()) {
        return read;
    }
    if (const status read = read_table(files.grid, "grid file", decode_grid_file, tables.celle);
        !read.ok()) {
        return read;
    }
    tables.profilo.reset();
    if (exists(files.line)) {
        if (const status read =
                read_table(files.line, "line file", decode_line_file, tables.profilo);
            !read.ok()) {
            return read;
        }
    }
    return check_compiled_set(files, tables);
}

compiled_tables tables_of_record(const scenario_record& record, bool with_plan) {
    compiled_tables tables;
    tables.voci = record.voci;
    tables.celle = record.celle;
    if (with_plan && record.compila_linea != 0 && record.profilo) {
        tables.profilo = record.profilo->table();
    }
    return tables;
}

}  // namespace scenario
