// The plan of the line, metre by metre: straight steps between the arcs of the curve records.
// Each step repeats the previous step's displacement, turned by the curvature on an arc. The
// reader notes the steps in file order; their rows are computed when the plan is written.
#include <algorithm>
#include <array>

#include "compiler/line_reading.h"

namespace scenario {
namespace {

// Curvature in radians per metre for the digits 1 to 6 of a curve key.
constexpr std::array<double, 6> curvature_of_digit = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

record_outcome plan_too_long(line_reading& reading) {
    return fail_with(reading, 103, std::nullopt,
                     "curva: the plan of the line would run past metre 1000000");
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

record_outcome read_curve(line_reading& reading, const std::string& key) {
    std::int32_t inizio = 0;
    std::int32_t length = 0;
    if (!read_into(reading.cursor, inizio) || !read_into(reading.cursor, length)) {
        return record_outcome::returned;
    }
    if (beyond_placement_limit(reading.record, inizio)) {
        return stop_beyond_grid(reading, "curva", inizio);
    }
    double k = 0.0;
    for (std::size_t digit = 0; digit < curvature_of_digit.size() && k == 0.0; ++digit) {
        if (contains(key, std::string(1, static_cast<char>('1' + digit)))) {
            k = curvature_of_digit[digit];
        }
    }
    if (k == 0.0) {
        return fail_with(reading, 103, std::nullopt,
                         "the curve key \"" + key +
                             "\" gives no curvature: write one digit 1 to 6 "
                             "in it");
    }
    if (contains_ignoring_case(key, "s")) {
        k = -k;
    }
    const std::int64_t fine = std::int64_t{inizio} + length;
    if (inizio < 0) {
        return refuse_no_room(reading, "curva", inizio, "the plan of the line starts at metre 0");
    }
    if (fine > reading.record.limite_profilo) {
        return refuse_no_room(reading, "curva", inizio,
                              "the arc ends at metre " + std::to_string(fine) +
                                  ", beyond the last metre of the plan, " +
                                  std::to_string(reading.record.limite_profilo));
    }

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
