// Everything one compile works on: where the sources are, whose scenario it is, the
// scenario record being filled, the error state and the source texts as they were read. The
// two readers, the grid pass and the compile routine all work on one context; a context
// compiled again starts afresh.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compiler/error_state.h"
#include "compiler/reading_map.h"
#include "compiler/record_origins.h"
#include "format/scenario_record.h"
#include "source/field_reader.h"
#include "source/scenario_files.h"
#include "source/source_text.h"

namespace scenario {

// How far a compile read a source file: to its end, or up to a field where it stopped.
struct reading_extent {
    std::string path;
    bool read_to_end = false;
    field_location last_read;  // the last field read, when it stopped
};

// What a compile read, for a scan that goes on past the point where it stopped: the texts it
// read, which the scan reads again, and how far it read each.
struct compiled_reading {
    const source_texts* texts = nullptr;
    std::vector<reading_extent> extents;
};

// The run as the train file wrote it, for the timetable check and the driver's documents: the
// speed limits and the slowdowns that the reader placed, in the order of the file, with the
// line of each record's key.
struct written_speed_limit {
    std::int32_t position = 0;
    std::int32_t kmh = 0;
    int line = 0;
};

struct written_slowdown {
    std::int32_t x = 0;
    std::int32_t v = 0;
    std::int32_t l = 0;
    std::int32_t f_tt = 0;
    int line = 0;
};

struct written_run {
    std::vector<written_speed_limit> speed_limits;
    std::vector<written_slowdown> slowdowns;
};

struct compile_options {
    std::string folder;  // the folder that holds the sources and receives the output
    scenario_identity identity;
    // The built-in build deletes its intermediate sources after reading them; an author's
    // own sources are only ever read.
    bool delete_sources = true;
    // The texts that go into the compiled files (station names, indicator boards) are UTF-8
    // in the sources and are converted to the simulator's code page.
    bool utf8_texts = false;
    // Set for a scan past the point where a compile stopped reading: the readers then go on
    // after every error, and what they find beyond that point is marked so.
    const compiled_reading* scan_after = nullptr;
    // The texts of the sources when the caller holds them (an editor's buffers, unsaved): a
    // source kept here under its path is read from here, any other from its file.
    const source_texts* texts = nullptr;
    // False for a compile whose record stays in memory: nothing is written, not even a
    // partial file.
    bool write_compiled_files = true;
    // Keep the map of how each field and record was read (compile_context::reading).
    bool map_reading = false;
};

struct compile_context {
    explicit compile_context(compile_options opts) : options(std::move(opts)) {}

    compile_options options;
    scenario_record record;
    error_state errors;
    // The texts that the readers read, which the messages about them quote.
    source_texts sources;
    // The next item-table entry for an indicator board's text: 80 downward. The train half
    // stops its stations below the lowest board.
    std::int32_t prossima_voce_cartello = entry::first_board_text;
    // Which source record placed each object of the record.
    record_origins origins;
    // The fastest speed that a maximum-speed board of the line shows, 0 without boards: the
    // train file's speeds are compared with it.
    std::int32_t fastest_board_speed = 0;
    // How far each source file was read.
    std::vector<reading_extent> extents;
    // The speed limits and slowdowns as the train file wrote them.
    written_run run;
    // How each field and record was read, when the options ask for it; after a scan past the
    // compile's stop, what the scan read beyond it is added.
    reading_map reading;

    std::string line_source_path() const;
    std::string train_source_path() const;
    // True in a scan past the compile's stop: errors do not end the reading.
    bool reads_past_errors() const { return options.scan_after != nullptr; }
};

}  // namespace scenario
