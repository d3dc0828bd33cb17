// The three driver's documents made from a scenario's data (document_model.h), in the
// layouts of the built-in ones: the same boxes and ruled columns, byte for byte wide, CR LF
// after every line, Windows-1252. The built-in build keeps writing its fixed texts
// (train_sheet.h, slowdown_order.h, route_notes.h); these are what `documents` writes for an
// author's own scenario.
#pragma once

#include <string>
#include <vector>

#include "compiler/fastest_run.h"
#include "documents/document_model.h"

namespace scenario {

// The train sheet: the header boxes, then a row for each station, change of the speed limit
// and kilometre reference, in order of position. A station's time is its timetabled time; any
// other row gets the time at which the fastest run (no acceleration) passes it, marked "*".
// Rec gives, at a timetabled station, the minutes to spare over that run.
std::vector<std::string> generated_train_sheet(const document_model& model);

// The slowdown order: a row for each slowdown, between the stations around it, from the
// kilometre post before it, with the form's blank rows and legend.
std::vector<std::string> generated_slowdown_order(const document_model& model);

// The route notes: the line's length, its stations with their kilometres and times, and what
// the timetable leaves over the fastest run.
std::vector<std::string> generated_route_notes(const document_model& model);

// "13.25": hours and minutes of a time of day, as the documents write them.
std::string sheet_time(double seconds);

}  // namespace scenario
