#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <regex>
#include <string>
#include <string_view>

#include "app/exit_status.h"
#include "app/subcommand.h"
#include "compiler/compiled_file_decoders.h"
#include "inspect/views.h"
#include "source/file_access.h"

namespace scenario {
namespace {

struct inspect_request {
    std::string file;
    std::string kind;  // "items", "grid" or "line"; empty = from the file name
    std::string cells;
    bool summary = false;
    bool csv = false;
};

bool ends_with(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string kind_from_name(const std::string& file) {
    if (ends_with(file, ".sim")) {
        return "items";
    }
    if (ends_with(file, "_linea.dat")) {
        return "line";
    }
    if (ends_with(file, ".dat")) {
        return "grid";
    }
    return "";
}

constexpr std::string_view command = "inspect";

bool parse_range(const std::string& text, cell_range& range) {
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

int inspect(const inspect_request& request) {
    const std::string kind = request.kind.empty() ? kind_from_name(request.file) : request.kind;
    if (kind.empty()) {
        return report_failure(
            command, status::invalid_input("cannot tell the kind of " + request.file +
                                           " from its name (.sim, _linea.dat, .dat): give --kind"));
    }
    if ((request.csv || !request.cells.empty()) && kind != "grid") {
        return report_failure(command,
                              status::invalid_input("--csv and --cells apply to a grid file only"));
    }
    cell_range range;
    if (!request.cells.empty() && !parse_range(request.cells, range)) {
        return report_failure(
            command,
            status::invalid_input("--cells " + request.cells +
                                  ": give A..B with whole numbers A <= B, for example 700..740"));
    }
    // No compiled file comes near this size (the longest line's plan takes about 20 MB): a
    // larger file is refused before it is read into memory.
    constexpr std::uintmax_t largest_compiled_file = 64u << 20;
    std::error_code size_error;
    if (std::filesystem::is_regular_file(request.file, size_error) &&
        std::filesystem::file_size(request.file, size_error) > largest_compiled_file) {
        return report_failure(
            command,
            status::corrupt_file(request.file + ": not a compiled file: it is larger than 64 MiB"));
    }
    std::string bytes;
    if (const status read = read_whole_file(request.file, bytes); !read.ok()) {
        return report_failure(command, read);
    }
    std::ios::sync_with_stdio(false);
    std::ostream& out = std::cout;
    status decoded = status::success();
    if (kind == "items") {
        std::array<voce, numero_voci> voci{};
        decoded = decode_item_file(bytes, voci);
        if (decoded.ok()) {
            request.summary ? print_items_summary(out, voci) : print_items_json(out, voci);
        }
    } else if (kind == "grid") {
        std::vector<cella> celle;
        decoded = decode_grid_file(bytes, celle);
        const auto last = static_cast<std::int64_t>(celle.size()) - 1;
        if (decoded.ok() && range.first > last) {
            return report_failure(command, status::invalid_input("--cells " + request.cells +
                                                                 ": the grid has cells 0 to " +
                                                                 std::to_string(last)));
        }
        if (decoded.ok()) {
            if (request.summary) {
                print_grid_summary(out, celle);
            } else if (request.csv) {
                print_grid_csv(out, celle, range);
            } else {
                print_grid_json(out, celle, range);
            }
        }
    } else {
        std::optional<profilo_linea> profilo;
        decoded = decode_line_file(bytes, profilo);
        if (decoded.ok()) {
            request.summary ? print_line_summary(out, *profilo) : print_line_json(out, *profilo);
        }
    }
    if (!decoded.ok()) {
        return report_failure(
            command, status::failure(decoded.kind(), request.file + ": " + decoded.message()));
    }
    out.flush();
    return exit_status::ok;
}

}  // namespace

subcommand add_inspect_command(CLI::App& app) {
    auto request = std::make_shared<inspect_request>();
    CLI::App* parser = app.add_subcommand(
        "inspect",
        "Decode a compiled item file (.sim), grid file (.dat) or line file (_linea.dat) into "
        "JSON on standard output, with the record's field names");
    parser->add_option("FILE", request->file, "The compiled file")->required();
    parser->add_option("--kind", request->kind, "The file's kind when its name does not tell")
        ->check(CLI::IsMember({"items", "grid", "line"}));
    CLI::Option* cells = parser->add_option(
        "--cells", request->cells,
        "Only cells A to B of a grid (A..B; A.. to the last cell, ..B from cell 0)");
    parser->add_flag("--summary", request->summary,
                     "Counts per cell kind, the stations with their areas and times, or the "
                     "plan's extent, instead of the whole table");
    CLI::Option* csv =
        parser->add_flag("--csv", request->csv,
                         "A grid as a table, one row per cell: position, gradient, speed limit, "
                         "adherence, mountain side, approach code and the cell's object");
    csv->excludes("--summary");
    cells->excludes("--summary");
    return {parser, [request] { return inspect(*request); }};
}

}  // namespace scenario
