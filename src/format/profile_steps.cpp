#include "format/profile_steps.h"

#include "format/scenario_record.h"

namespace scenario {

void profile_steps::set_start(std::int16_t x0, std::int16_t y0, std::int16_t x1, std::int16_t y1) {
    started_ = true;
    start_[0][0] = x0;
    start_[0][1] = y0;
    start_[1][0] = x1;
    start_[1][1] = y1;
}

void profile_steps::add_straight_steps(std::int32_t last) {
    add_run(last, false, 0.0);
}

void profile_steps::add_arc_steps(std::int32_t last, double k) {
    add_run(last, true, k);
}

void profile_steps::add_run(std::int32_t last, bool arc, double k) {
    // The plan has no room beyond its last row; a run that makes no row adds nothing.
    last = std::min(last, limite_profilo_);
    if (last < next_row_) {
        return;
    }
    runs_.push_back({last, arc, k});
    next_row_ = last + 1;
}

profile_tag profile_steps::tag(std::int32_t riga, int /*colonna*/) const {
    if (riga < 2) {
        return started_ ? profile_tag::intero : profile_tag::vuoto;
    }
    return riga < next_row_ ? profile_tag::reale : profile_tag::vuoto;
}

profilo_linea profile_steps::table() const {
    profilo_linea table(limite_profilo_);
    if (started_) {
        for (std::int32_t riga = 0; riga < 2; ++riga) {
            for (int colonna = 0; colonna < 2; ++colonna) {
                table.set_intero(riga, colonna, start_[riga][colonna]);
            }
        }
    }
    profile_walk walk(*this);
    std::int32_t riga = walk.next_row();
    walk.compute(next_row_ - 1, [&](double x, double y) {
        table.set_reale(riga, 0, x);
        table.set_reale(riga, 1, y);
        ++riga;
    });
    return table;
}

// An empty start counts as 0, as the plan has always read it.
profile_walk::profile_walk(const profile_steps& steps)
    : steps_(&steps),
      x0_(steps.start_[0][0]),
      y0_(steps.start_[0][1]),
      x1_(steps.start_[1][0]),
      y1_(steps.start_[1][1]) {}

}  // namespace scenario
