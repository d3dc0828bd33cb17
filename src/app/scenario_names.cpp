#include "app/scenario_names.h"

#include <initializer_list>
#include <string_view>

#include "source/scenario_files.h"

namespace scenario {
namespace {

// What makes a name unfit to be a part of a file name in the folder; empty when it is fit.
std::string name_problem(const std::string& name) {
    if (name.empty()) {
        return "is empty";
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
        return "contains a path separator";
    }
    if (name.find("..") != std::string::npos) {
        return "contains \"..\"";
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return "contains a control character";
        }
    }
    return "";
}

status check_name(const char* option, const std::string& name) {
    if (const std::string problem = name_problem(name); !problem.empty()) {
        return status::invalid_input(std::string(option) + " " + problem +
                                     ": the route and the train name files in DIR, so each "
                                     "must be a plain part of a file name");
    }
    return status::success();
}

// Most file systems take names of up to 255 bytes. Every file is written under a partial
// name first, ".NAME.partial-XXXXXX", 16 bytes longer than its own: a name that fits with
// room for less would fail only at the write, told as a fault of the real file.
constexpr std::size_t longest_file_name = 255;
constexpr std::size_t partial_name_extra =
    std::string_view(".").size() + std::string_view(".partial-XXXXXX").size();

status check_name_lengths(const scenario_identity& identity) {
    std::string longest;
    for (const std::string& name :
         {line_source_name(identity), train_source_name(identity), route_notes_name(identity),
          slowdown_order_name(identity), train_sheet_name(identity), compiled_line_name(identity),
          item_file_name(identity), grid_file_name(identity)}) {
        longest = name.size() > longest.size() ? name : longest;
    }
    if (longest.size() + partial_name_extra > longest_file_name) {
        return status::invalid_input(
            "--route and --train are too long together: the scenario's file " + longest +
            " is written first as ." + longest + ".partial-XXXXXX, a name of " +
            std::to_string(longest.size() + partial_name_extra) +
            " bytes, and a file name has "
            "at most " +
            std::to_string(longest_file_name) + ": give a shorter route or train");
    }
    return status::success();
}

}  // namespace

status check_scenario_names(const std::string& route, const std::string& train) {
    if (const status checked = check_name("--route", route); !checked.ok()) {
        return checked;
    }
    if (const status checked = check_name("--train", train); !checked.ok()) {
        return checked;
    }
    const scenario_identity identity{route, train};
    // Train "linea" would give the grid file the name of the compiled line file.
    if (grid_file_name(identity) == compiled_line_name(identity)) {
        return status::invalid_input("--train " + train + ": the grid file " +
                                     grid_file_name(identity) +
                                     " would take the name of the compiled line file");
    }
    return check_name_lengths(identity);
}

status check_given_scenario_names(const std::string& route, const std::string& train) {
    if (!route.empty() && !train.empty()) {
        return check_scenario_names(route, train);
    }
    if (!route.empty()) {
        return check_name("--route", route);
    }
    if (!train.empty()) {
        return check_name("--train", train);
    }
    return status::success();
}

status check_folder_name(const std::string& option, const std::string& folder) {
    if (folder.empty()) {
        return status::invalid_input(option +
                                     " is empty: give a folder's path (\".\" for the current "
                                     "folder)");
    }
    return status::success();
}

}  // namespace scenario
