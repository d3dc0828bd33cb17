// `inspect`: one compiled file as JSON with the record's field names (a grid also as a table
// of cells), or, with --summary, a whole compiled scenario in its author's terms, as text or
// JSON. A stretch of the line is chosen by cells (--cells) or kilometres (--km).
#include <cmath>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>

#include "app/exit_status.h"
#include "app/scenario_names.h"
#include "app/subcommand.h"
#include "format/compiled_file_decoders.h"
#include "inspect/author_views.h"
#include "inspect/compiled_scenario.h"
#include "inspect/compiled_set.h"
#include "inspect/timetable_description.h"
#include "inspect/views.h"
#include "source/visible_text.h"

namespace scenario {
namespace {

struct inspect_request {
    std::string file;
    std::string folder;
    std::string route;
    std::string train;
    std::string kind;  // "items", "grid" or "line"; empty = from the file name
    std::string cells;
    std::string kilometres;
    bool summary = false;
    bool timetable = false;
    train_rates rates;
    bool json = false;
    bool csv = false;
};

constexpr std::string_view command = "inspect";

std::string kind_from_name(const std::string& file) {
    if (file.ends_with(item_file_ending)) {
        return "items";
    }
    if (file.ends_with(compiled_line_ending)) {
        return "line";
    }
    if (file.ends_with(grid_file_ending)) {
        return "grid";
    }
    return "";
}

bool parse_cells(const std::string& text, cell_range& range) {
    static const std::regex pattern(R"((\d*)\.\.(\d*))");
    std::smatch match;
    if (!std::regex_match(text, match, pattern) || (match[1].length() > 9) ||
        (match[2].length() > 9)) {
        return false;
    }
    range.first = match[1].length() > 0 ? std::stoll(match[1].str()) : 0;
    range.last = match[2].length() > 0 ? std::stoll(match[2].str()) : -1;
    return range.last < 0 || range.first <= range.last;
}

// Kilometres with at most three decimals: metres, whole.
struct kilometre_range {
    std::optional<std::int64_t> from_metre;
    std::optional<std::int64_t> to_metre;
};

std::optional<std::int64_t> metres_of(const std::string& kilometres) {
    if (kilometres.empty()) {
        return std::nullopt;
    }
    const std::size_t point = kilometres.find('.');
    const std::string whole = kilometres.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : kilometres.substr(point + 1);
    fraction.resize(3, '0');
    return std::stoll(whole) * 1000 + std::stoll(fraction);
}

bool parse_kilometres(const std::string& text, kilometre_range& range) {
    static const std::regex pattern(R"((\d{1,4}(?:\.\d{1,3})?)?\.\.(\d{1,4}(?:\.\d{1,3})?)?)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        return false;
    }
    range.from_metre = metres_of(match[1].str());
    range.to_metre = metres_of(match[2].str());
    return !range.from_metre || !range.to_metre || *range.from_metre <= *range.to_metre;
}

// The part of the line that a request names, as the cells of the grid it covers, checked
// against a grid of `cell_count` cells.
status cells_of_request(const inspect_request& request, std::int64_t cell_count,
                        cell_range& range) {
    const std::int64_t last = cell_count - 1;
    if (!request.cells.empty()) {
        if (!parse_cells(request.cells, range)) {
            return status::invalid_input(
                "--cells " + request.cells +
                ": give A..B with whole numbers A <= B, for example 700..740");
        }
        if (range.first > last) {
            // The request is well formed; the file does not reach so far.
            return status::not_found("--cells " + request.cells + ": the grid has cells 0 to " +
                                     std::to_string(last) + ", none from cell " +
                                     std::to_string(range.first));
        }
        return status::success();
    }
    if (!request.kilometres.empty()) {
        kilometre_range kilometres;
        if (!parse_kilometres(request.kilometres, kilometres)) {
            return status::invalid_input(
                "--km " + request.kilometres +
                ": give A..B in kilometres with A <= B, for example 12.5..14");
        }
        range.first = kilometres.from_metre.value_or(0) / cell_metres;
        range.last = kilometres.to_metre ? *kilometres.to_metre / cell_metres : -1;
        if (range.first > last) {
            return status::not_found("--km " + request.kilometres + ": the grid ends at " +
                                     std::to_string(cell_count * cell_metres) + " m");
        }
    }
    return status::success();
}

// The window of a summary: cells, or the metres between two kilometres.
status window_of_request(const inspect_request& request, std::int64_t cell_count,
                         std::optional<line_window>& window) {
    cell_range range;
    if (const status checked = cells_of_request(request, cell_count, range); !checked.ok()) {
        return checked;
    }
    if (!request.cells.empty()) {
        window = line_window{range.first, range.last < 0 ? std::nullopt : std::optional(range.last),
                             std::nullopt, std::nullopt};
    } else if (!request.kilometres.empty()) {
        kilometre_range kilometres;
        (void)parse_kilometres(request.kilometres, kilometres);
        window = line_window{};
        if (kilometres.from_metre) {
            window->from_metre = static_cast<double>(*kilometres.from_metre);
        }
        if (kilometres.to_metre) {
            window->to_metre = static_cast<double>(*kilometres.to_metre);
        }
    }
    return status::success();
}

status find_scenario(const inspect_request& request, compiled_scenario_files& files) {
    if (!request.file.empty() && is_folder(request.file)) {
        return find_compiled_files_in(request.file, request.route, request.train, files);
    }
    if (!request.file.empty()) {
        return find_compiled_files(request.file, request.train, files);
    }
    if (!request.folder.empty()) {
        return find_compiled_files_in(request.folder, request.route, request.train, files);
    }
    return status::invalid_input("give a compiled file, or --dir with --route and --train");
}

// The compiled files of the scenario that the request names, read and checked as one set.
status read_scenario(const inspect_request& request, compiled_scenario_files& files,
                     compiled_tables& tables) {
    if (const status found = find_scenario(request, files); !found.ok()) {
        return found;
    }
    return read_compiled_tables(files, tables);
}

int summarise(const inspect_request& request) {
    compiled_scenario_files files;
    compiled_tables tables;
    if (const status read = read_scenario(request, files, tables); !read.ok()) {
        return report_failure(command, read);
    }
    std::optional<line_window> window;
    if (const status checked =
            window_of_request(request, static_cast<std::int64_t>(tables.celle.size()), window);
        !checked.ok()) {
        return report_failure(command, checked);
    }
    scenario_description description = describe_scenario(tables);
    if (window) {
        description = within(description, *window);
    }
    std::ios::sync_with_stdio(false);
    const line_window* part = window ? &*window : nullptr;
    if (request.json) {
        print_summary_json(std::cout, description, files, part);
    } else {
        // Names and texts from the files are shown, never obeyed, by a terminal.
        std::ostringstream text;
        print_summary_text(text, description, files, part);
        std::cout << visible_text(text.str(), /*keep_line_breaks=*/true);
    }
    std::cout.flush();
    return exit_status::ok;
}

// The one file that a request without --summary shows: the file named, or the file of the
// kind asked for among a scenario's files.
status file_to_show(const inspect_request& request, std::string& file) {
    if (!request.file.empty() && !is_folder(request.file)) {
        file = request.file;
        return status::success();
    }
    if (request.kind.empty()) {
        return status::invalid_input(
            "give --summary for the whole scenario, or --kind items, grid or line for one of its "
            "files");
    }
    compiled_scenario_files files;
    if (const status found = find_scenario(request, files); !found.ok()) {
        return found;
    }
    file = request.kind == "items" ? files.items : request.kind == "grid" ? files.grid : files.line;
    return status::success();
}

int show_file(const inspect_request& request) {
    std::string file;
    if (const status chosen = file_to_show(request, file); !chosen.ok()) {
        return report_failure(command, chosen);
    }
    const std::string kind = request.kind.empty() ? kind_from_name(file) : request.kind;
    if (kind.empty()) {
        return report_failure(
            command, status::invalid_input("cannot tell the kind of " + file +
                                           " from its name (.sim, _linea.dat, .dat): give --kind"));
    }
    const bool ranged = !request.cells.empty() || !request.kilometres.empty();
    if (request.csv && kind != "grid") {
        return report_failure(command, status::invalid_input("--csv applies to a grid file only"));
    }
    if (ranged && kind == "items") {
        return report_failure(command,
                              status::invalid_input("--cells and --km apply to a grid or line "
                                                    "file, or to a summary"));
    }
    if (!request.cells.empty() && kind == "line") {
        return report_failure(command,
                              status::invalid_input("--cells applies to a grid file: give --km "
                                                    "for rows of the plan"));
    }
    std::string bytes;
    if (const status read = read_compiled_file(file, bytes); !read.ok()) {
        return report_failure(command, read);
    }
    std::ios::sync_with_stdio(false);
    std::ostream& out = std::cout;
    status decoded = status::success();
    if (kind == "items") {
        std::array<voce, numero_voci> voci{};
        decoded = decode_item_file(bytes, voci);
        if (decoded.ok()) {
            print_items_json(out, voci);
        }
    } else if (kind == "grid") {
        std::vector<cella> celle;
        decoded = decode_grid_file(bytes, celle);
        cell_range range;
        if (decoded.ok()) {
            if (const status sized = check_grid_cells(file, celle.size()); !sized.ok()) {
                return report_failure(command, sized);
            }
            if (const status checked =
                    cells_of_request(request, static_cast<std::int64_t>(celle.size()), range);
                !checked.ok()) {
                return report_failure(command, checked);
            }
            request.csv ? print_grid_csv(out, celle, range) : print_grid_json(out, celle, range);
        }
    } else {
        std::optional<profilo_linea> profilo;
        decoded = decode_line_file(bytes, profilo);
        kilometre_range kilometres;
        if (!request.kilometres.empty() && !parse_kilometres(request.kilometres, kilometres)) {
            return report_failure(
                command, status::invalid_input("--km " + request.kilometres +
                                               ": give A..B in kilometres with A <= B, for "
                                               "example 12.5..14"));
        }
        if (decoded.ok()) {
            if (const status sized = check_plan_rows(file, profilo->ultima_riga()); !sized.ok()) {
                return report_failure(command, sized);
            }
            print_line_json(
                out, *profilo,
                cell_range{kilometres.from_metre.value_or(0), kilometres.to_metre.value_or(-1)});
        }
    }
    if (!decoded.ok()) {
        return report_failure(command,
                              status::failure(decoded.kind(), file + ": " + decoded.message()));
    }
    out.flush();
    return exit_status::ok;
}

int show_timetable(const inspect_request& request) {
    compiled_scenario_files files;
    compiled_tables tables;
    if (const status read = read_scenario(request, files, tables); !read.ok()) {
        return report_failure(command, read);
    }
    const timetable_description timetable =
        describe_timetable(describe_scenario(tables), request.rates);
    std::ios::sync_with_stdio(false);
    if (request.json) {
        print_timetable_json(std::cout, timetable, files);
    } else {
        // Station names from the files are shown, never obeyed, by a terminal.
        std::ostringstream text;
        print_timetable_text(text, timetable, files);
        std::cout << visible_text(text.str(), /*keep_line_breaks=*/true);
    }
    std::cout.flush();
    return exit_status::ok;
}

int inspect(const inspect_request& request) {
    if (const status names = check_given_scenario_names(request.route, request.train);
        !names.ok()) {
        return report_failure(command, names);
    }
    if (request.file.empty()) {
        if (const status folder = check_folder_name("--dir", request.folder); !folder.ok()) {
            return report_failure(command, folder);
        }
    }
    if (request.timetable) {
        return show_timetable(request);
    }
    return request.summary ? summarise(request) : show_file(request);
}

}  // namespace

subcommand add_inspect_command(CLI::App& app) {
    auto request = std::make_shared<inspect_request>();
    CLI::App* parser = app.add_subcommand(
        "inspect",
        "Decode a compiled item file (.sim), grid file (.dat) or line file (_linea.dat) into "
        "JSON on standard output, with the record's field names; or, with --summary, describe "
        "the whole compiled scenario in the terms of its source files");
    // A file or a folder: without either the command line is not understood.
    CLI::Option_group* scenario = parser->add_option_group("FILE or --dir");
    scenario->add_option("FILE", request->file,
                         "A compiled file; with --summary any of the scenario's three, or its "
                         "folder");
    scenario->add_option("--dir", request->folder,
                         "Folder of the compiled files, instead of FILE (with --route and "
                         "--train, or holding one scenario)");
    scenario->require_option(1, 0);
    parser->add_option("--route", request->route, "Route identifier R, with --dir");
    parser->add_option("--train", request->train,
                       "Train number T, with --dir, or to choose among the trains of a line file");
    parser
        ->add_option("--kind", request->kind,
                     "The file's kind when its name does not tell, or the file of the scenario "
                     "to show with --dir")
        ->check(CLI::IsMember({"items", "grid", "line"}));
    CLI::Option* cells = parser->add_option(
        "--cells", request->cells,
        "Only cells A to B (A..B; A.. to the last cell, ..B from cell 0): of a grid, or of the "
        "summary");
    CLI::Option* kilometres = parser->add_option(
        "--km", request->kilometres,
        "Only kilometres A to B (A..B, for example 12.5..14): the cells of a grid that start "
        "there, the rows of a plan, or what the summary shows there");
    CLI::Option* summary = parser->add_flag(
        "--summary", request->summary,
        "The whole scenario in the terms of its sources: the line, the general values, every "
        "station, signal, slowdown, board and point at the position its author wrote (the "
        "nominal position of its 50 m cell) with its cell, and the series as ranges");
    CLI::Option* timetable = parser->add_flag(
        "--timetable", request->timetable,
        "Each station with its position, progressive km and scheduled time, the time of the "
        "fastest run from the last timetabled station under the bound (every metre at the "
        "speed in force, no acceleration) and in the braking run (--acceleration, --braking), "
        "and the margin that the timetable leaves");
    CLI::Option* acceleration = parser->add_option(
        "--acceleration", request->rates.acceleration,
        "With --timetable: the braking run's acceleration in m/s2 (default 0.3)");
    CLI::Option* braking = parser->add_option(
        "--braking", request->rates.braking,
        "With --timetable: the braking run's braking rate in m/s2 (default 0.5)");
    acceleration->check(CLI::PositiveNumber)->needs(timetable);
    braking->check(CLI::PositiveNumber)->needs(timetable);
    CLI::Option* json = parser->add_flag("--json", request->json,
                                         "With --summary or --timetable: the view as JSON");
    CLI::Option* csv =
        parser->add_flag("--csv", request->csv,
                         "A grid as a table, one row per cell: position, gradient, speed limit, "
                         "adherence, mountain side, approach code and the cell's object");
    csv->excludes(summary);
    csv->excludes(timetable);
    timetable->excludes(summary);
    timetable->excludes(cells);
    timetable->excludes(kilometres);
    csv->excludes(json);
    cells->excludes(kilometres);
    parser->footer(
        "Exit status: 0 shown; 2 a file missing or not a compiled file; 64 usage "
        "error.");
    return {parser, [request] { return inspect(*request); }};
}

}  // namespace scenario
