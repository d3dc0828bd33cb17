#include "inspect/compiled_set.h"

#include <cstdint>
#include <string>

#include "format/rounding.h"
#include "format/scenario_codes.h"

namespace scenario {
namespace {

// The stamps that every compile writes (the format's, the grid's), and the cell that holds
// the grid's.
constexpr std::int16_t format_stamp = 610;
constexpr std::int16_t grid_stamp = 5121;
constexpr std::size_t stamped_cell = 1;

constexpr const char* compile_again = ": compile the scenario again";

// The cells of the grid of a line of `length` metres: 0 to nearest((L + 7000) / 50).
std::int64_t cells_of_line(std::int32_t length) {
    return static_cast<std::int64_t>(nearest((std::int64_t{length} + margine_oltre_linea) / 50.0)) +
           1;
}

status out_of_step(const std::string& message) {
    return status::corrupt_file(message + compile_again);
}

status check_item_file(const compiled_scenario_files& files, const compiled_tables& tables) {
    const voce& route = tables.voci[entry::route];
    if (route.numero1 != format_stamp) {
        return out_of_step(files.items + " is no compiled item file: entry 85 holds " +
                           std::to_string(route.numero1) +
                           " where every compile writes its "
                           "format stamp 610");
    }
    if (route.valore4 != codice_gara_st(tables.voci)) {
        return out_of_step(files.items + " holds the scenario code " +
                           std::to_string(route.valore4) + ", not the code " +
                           std::to_string(codice_gara_st(tables.voci)) +
                           " of the route and train it holds: it was changed after its compile");
    }
    const std::int32_t length = tables.voci[entry::length_and_train].valore2;
    if (length < 0 || length > lunghezza_massima) {
        return out_of_step(files.items + " gives a line of " + std::to_string(length) +
                           " m, which no compile makes (0 to " + std::to_string(lunghezza_massima) +
                           " m)");
    }
    return status::success();
}

status check_grid_file(const compiled_scenario_files& files, const compiled_tables& tables) {
    const std::int32_t length = tables.voci[entry::length_and_train].valore2;
    const auto cells = static_cast<std::int64_t>(tables.celle.size());
    if (cells != cells_of_line(length)) {
        return out_of_step(files.grid + " holds " + std::to_string(cells) +
                           " cells, but the item file " + files.items + " gives a line of " +
                           std::to_string(length) + " m, whose grid has " +
                           std::to_string(cells_of_line(length)) +
                           " cells: the two are not from the same compile");
    }
    const cella& stamped = tables.celle[stamped_cell];
    if (stamped.dato1 != grid_stamp) {
        return out_of_step(files.grid + " is no compiled grid: cell 1 holds " +
                           std::to_string(stamped.dato1) +
                           " where every compile writes the grid's stamp 5121");
    }
    if (stamped.dato2 != codice_gara_og(tables.voci)) {
        return out_of_step(files.grid + " holds the scenario code " +
                           std::to_string(stamped.dato2) + ", but the item file " + files.items +
                           " gives " + std::to_string(codice_gara_og(tables.voci)) +
                           ": the grid is another route's or train's");
    }
    return status::success();
}

status check_line_file(const compiled_scenario_files& files, const compiled_tables& tables) {
    if (!tables.profilo) {
        return status::success();
    }
    const std::int32_t length = tables.voci[entry::length_and_train].valore2;
    const std::int64_t rows = std::int64_t{tables.profilo->ultima_riga()} + 1;
    const std::int64_t expected = std::int64_t{length} + margine_oltre_linea + 1;
    if (rows != expected) {
        return out_of_step(files.line + " holds the plan of a line of " +
                           std::to_string(rows - 1 - margine_oltre_linea) + " m (" +
                           std::to_string(rows) + " rows), but " + files.items + " and " +
                           files.grid + " are of a line of " + std::to_string(length) +
                           " m: the line file is another compile's (a compile with "
                           "--no-line leaves the line file of an earlier one)");
    }
    return status::success();
}

}  // namespace

status check_grid_cells(const std::string& path, std::size_t cells) {
    const std::int64_t fewest = cells_of_line(0);
    const std::int64_t most = cells_of_line(lunghezza_massima);
    const auto count = static_cast<std::int64_t>(cells);
    if (count < fewest || count > most) {
        return status::corrupt_file(path + ": not a compiled grid file: it holds " +
                                    std::to_string(count) +
                                    " cells, and the grid of a line of 0 "
                                    "to " +
                                    std::to_string(lunghezza_massima) + " m has " +
                                    std::to_string(fewest) + " to " + std::to_string(most));
    }
    return status::success();
}

status check_plan_rows(const std::string& path, std::int32_t last_row) {
    const std::int64_t rows = std::int64_t{last_row} + 1;
    const std::int64_t fewest = std::int64_t{margine_oltre_linea} + 1;
    const std::int64_t most = std::int64_t{lunghezza_massima} + margine_oltre_linea + 1;
    if (rows < fewest || rows > most) {
        return status::corrupt_file(path + ": not a compiled line file: it holds " +
                                    std::to_string(rows) +
                                    " rows of the plan, and the plan of a "
                                    "line of 0 to " +
                                    std::to_string(lunghezza_massima) + " m has " +
                                    std::to_string(fewest) + " to " + std::to_string(most));
    }
    return status::success();
}

status check_compiled_set(const compiled_scenario_files& files, const compiled_tables& tables) {
    if (const status items = check_item_file(files, tables); !items.ok()) {
        return items;
    }
    if (const status grid = check_grid_file(files, tables); !grid.ok()) {
        return grid;
    }
    return check_line_file(files, tables);
}

}  // namespace scenario
