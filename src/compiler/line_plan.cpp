// The plan of the line, metre by metre: straight steps between the arcs of the curve records.
// Each step repeats the previous step's displacement, turned by the curvature on an arc. The
// reader notes the steps in file order; their rows are computed when the plan is written.
#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "compiler/line_reading.h"
#include "format/plan_meaning.h"

namespace scenario {
namespace {

record_outcome plan_too_long(line_reading& reading) {
    return end_with_error(reading, error_code::bad_curve, std::nullopt,
                          "curva: the plan of the line would run past metre 1000000");
}

// The plan is drawn in file order: an arc whose start the plan has already passed is drawn
// only from the plan's next metre. An arc that merely starts inside the one before it is
// shortened by the overlap (the built-in line has such arcs); one listed out of order, or
// one that the arc before it covers whole, is worth a word to the author.
void warn_about_curve_order(line_reading& reading, std::int32_t inizio, std::int64_t fine,
                            field_location start_place) {
    const std::int64_t m = reading.next_metre;
    const bool out_of_order = reading.curve_read && inizio < reading.previous_curve;
    const bool covered = reading.curve_read && fine < m;
    if (!out_of_order && !covered) {
        return;
    }
    const std::string drawn = fine < m ? "this arc adds nothing to the plan"
                                       : "only metres " + std::to_string(m) + " to " +
                                             std::to_string(fine) + " are drawn as this arc";
    const std::string reached = "has already reached metre " + std::to_string(m - 1);
    std::string message = keywords::curva.the_phrase_at(inizio) + " ";
    if (out_of_order) {
        message += "comes after the curve at " + std::to_string(reading.previous_curve) +
                   " m: the plan is drawn in file order and " + reached + ", so " + drawn +
                   "; list the curves in increasing order of position";
    } else {
        message += "lies within the arc before it: the plan " + reached + ", so " + drawn;
    }
    reading.cursor.warn_at(warning_code::curve_order, start_place, std::move(message));
}

// Steps the plan from its next metre up to metre `target`, one metre at a time. The metre
// counter may not pass ultimo_metro_del_piano: the steps stop at that metre, and false tells
// that the counter has passed it.
template <typename add_steps>
bool advance(line_reading& reading, std::int64_t target, add_steps steps_up_to) {
    std::int64_t& m = reading.next_metre;
    if (m > target) {
        return true;
    }
    const std::int64_t last = std::min(target, ultimo_metro_del_piano);
    steps_up_to(static_cast<std::int32_t>(last));
    m = last + 1;
    return m <= ultimo_metro_del_piano;
}

}  // namespace

void start_plan(line_reading& reading) {
    reading.next_metre = 2;
    if (reading.record.compila_linea == 0) {
        return;
    }
    // The line starts at the origin heading along the second coordinate.
    reading.record.profilo->set_start(0, 0, 0, 1);
}

record_outcome read_curve(line_reading& reading) {
    const std::string& key = reading.key;
    std::int32_t inizio = 0;
    std::int32_t length = 0;
    if (!reading.cursor.read_int32(inizio)) {
        return record_outcome::returned;
    }
    const field_location start_place = reading.cursor.place();
    if (!reading.cursor.read_int32(length)) {
        return record_outcome::returned;
    }
    const field_location length_place = reading.cursor.place();
    if (beyond_placement_limit(reading.record, inizio, record_margin)) {
        return stop_line_beyond_grid(reading, keywords::curva, inizio);
    }
    double k = 0.0;
    std::size_t digit_read = 0;
    for (std::size_t digit = 0; digit < curvature_of_digit.size() && k == 0.0; ++digit) {
        if (contains(key, std::string(1, static_cast<char>('1' + digit)))) {
            k = curvature_of_digit[digit];
            digit_read = digit;
        }
    }
    if (k == 0.0) {
        return end_with_error(reading, error_code::bad_curve, std::nullopt,
                              "the curve key \"" + key +
                                  "\" gives no curvature: write one digit 1 to 6 "
                                  "in it");
    }
    if (contains_ignoring_case(key, "s")) {
        k = -k;
    }
    const std::int64_t fine = std::int64_t{inizio} + length;
    if (inizio < 0) {
        return refuse_no_room(
            reading, inizio,
            keywords::curva.the_phrase_at(inizio) + ": the plan of the line starts at metre 0");
    }
    if (fine > reading.record.limite_profilo) {
        return refuse_no_room(reading, inizio,
                              keywords::curva.the_phrase_at(inizio) + ": the arc ends at metre " +
                                  std::to_string(fine) + ", beyond the last metre of the plan, " +
                                  std::to_string(reading.record.limite_profilo));
    }

    warn_about_curve_order(reading, inizio, fine, start_place);
    warn_about_curve(reading, inizio, length, digit_read, k < 0, length_place);
    reading.curve_read = true;
    reading.previous_curve = inizio;

    profile_steps& profilo = *reading.record.profilo;
    if (!advance(reading, inizio, [&](std::int32_t last) { profilo.add_straight_steps(last); }) ||
        !advance(reading, fine, [&](std::int32_t last) { profilo.add_arc_steps(last, k); })) {
        return plan_too_long(reading);
    }
    return record_outcome::next;
}

void finish_plan(line_reading& reading) {
    if (reading.record.compila_linea == 0) {
        return;
    }
    // The tail is not bound by the plan's metre counter: it reaches the end of the table.
    const std::int32_t last = reading.record.limite_profilo - 2;
    if (reading.next_metre <= last) {
        reading.record.profilo->add_straight_steps(last);
        reading.next_metre = last + 1;
    }
}

}  // namespace scenario
