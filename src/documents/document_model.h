// What the driver's documents need to know of a scenario, in plain values: the train, its
// stations with their timetable, the changes of the speed limit, the kilometre references,
// the slowdowns and the speed in force over each cell of the line. The documents made from a
// scenario's data (generated_documents.h) read only this; whoever compiled the scenario fills
// it (document_model_of_compile.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/fastest_run.h"

namespace scenario {

struct document_station {
    std::string name;  // Windows-1252, as the compiled files hold it
    std::int64_t position = 0;
    std::int32_t time = 0;  // seconds from midnight; 0 = no timetabled time
};

// A speed limit that holds from `position` (as the author wrote it) onward.
struct document_speed_change {
    std::int64_t position = 0;
    int kmh = 0;
};

// A kilometre reference: at `position` metres along the line the kilometre posts read
// `value` metres.
struct document_reference {
    std::int64_t position = 0;
    std::int64_t value = 0;
};

struct document_slowdown {
    std::int64_t x = 0;
    int v = 0;
    std::int64_t l = 0;
    bool whole_train = false;  // f_tt set: to be kept with the whole train
};

// The train sheet's header boxes; the defaults are those of the built-in sheet.
struct sheet_header {
    std::string train_class = "REGIONALE";
    std::string mass_tonnes = "300";
    std::string braked_percent = "120";
    std::string rank = "B";
};

struct document_model {
    std::string route;  // the route identifier
    std::string train;  // the train number
    std::int64_t line_length = 0;
    std::vector<document_station> stations;  // in the order of the file
    std::vector<document_speed_change> speed_changes;
    std::vector<document_reference> references;
    std::vector<document_slowdown> slowdowns;
    std::vector<int> cell_speeds;  // the speed in force over each 50 m cell, km/h
    sheet_header header;
};

// The kilometre that the posts show at a position: counted from the last reference at or
// before it (the first reference, when none is), or from the line's origin without any.
std::int64_t progressive_metres(const std::vector<document_reference>& references,
                                std::int64_t position);

// "2.760"; 0 as the built-in sheet writes the origin, "0".
std::string kilometre_text(std::int64_t metres);

}  // namespace scenario
