// The plan of the line as the compiler holds it: the two points it starts from and the runs
// of steps that the curve records make, in file order. Every row of the plan is computed
// from the two rows before it, so the rows can only come in order; held row by row, a plan of
// a million metres takes some 20 MB that are written once and read once, when its compiled
// file is written. So the rows are computed there, a piece of the file at a time
// (`profile_walk`), and only a reader that wants single elements asks for the whole table.
//
// Rows 0 and 1 hold integers, the rows that the steps make hold reals, every other row is
// empty. The order of the operations in a step is part of the compiled line file: its last
// bits change with any other order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace scenario {

class profilo_linea;
enum class profile_tag : std::uint16_t;

class profile_steps {
  public:
    // Rows 0..limite_profilo, every element empty.
    explicit profile_steps(std::int32_t limite_profilo) : limite_profilo_(limite_profilo) {}

    std::int32_t ultima_riga() const { return limite_profilo_; }

    // The first two points, rows 0 and 1, as integers.
    void set_start(std::int16_t x0, std::int16_t y0, std::int16_t x1, std::int16_t y1);
    // The integer of row 0 or 1 in a column, 0 while the start is not set.
    std::int16_t start(std::int32_t riga, int colonna) const { return start_[riga][colonna]; }

    // Steps at the rows from next_row() to last (at most limite_profilo): straight, or along
    // an arc of curvature k.
    void add_straight_steps(std::int32_t last);
    void add_arc_steps(std::int32_t last, double k);
    // The row that the next step makes: 2 before any step.
    std::int32_t next_row() const { return next_row_; }

    profile_tag tag(std::int32_t riga, int colonna) const;
    // Every row computed: the plan as a table.
    profilo_linea table() const;

    bool operator==(const profile_steps&) const = default;

  private:
    friend class profile_walk;

    struct run {
        std::int32_t last;  // the run ends at this row; it starts after the run before it
        bool arc;
        double k;

        bool operator==(const run&) const = default;
    };

    void add_run(std::int32_t last, bool arc, double k);

    std::int32_t limite_profilo_;
    bool started_ = false;
    std::int16_t start_[2][2] = {};  // [row][column]
    std::int32_t next_row_ = 2;
    std::vector<run> runs_;
};

// Replays the steps of a plan from row 2 on, handing each row's x and y to the caller.
class profile_walk {
  public:
    explicit profile_walk(const profile_steps& steps);

    // The row that the next call of compute() makes first.
    std::int32_t next_row() const { return row_; }

    // Computes the rows from next_row() to until, or to the last step if that comes first,
    // and calls take(x, y) for each in order.
    template <typename take_row>
    void compute(std::int32_t until, take_row take);

  private:
    const profile_steps* steps_;
    std::size_t run_ = 0;
    std::int32_t row_ = 2;
    // The last two points: the next step repeats the displacement between them.
    double x0_;
    double y0_;
    double x1_;
    double y1_;
};

template <typename take_row>
void profile_walk::compute(std::int32_t until, take_row take) {
    // The points stay in locals through the loops: the caller stores bytes, which the
    // compiler would otherwise take as possibly changing them.
    double x0 = x0_;
    double y0 = y0_;
    double x1 = x1_;
    double y1 = y1_;
    while (row_ <= until && run_ < steps_->runs_.size()) {
        const profile_steps::run& current = steps_->runs_[run_];
        const std::int32_t last = std::min(until, current.last);
        if (current.arc) {
            // The step is turned by about k radians and not renormalised: it grows by
            // sqrt(1 + k*k).
            const double k = current.k;
            for (std::int32_t m = row_; m <= last; ++m) {
                const double dx = x1 - x0;
                const double dy = y1 - y0;
                const double x = x1 + (dx + k * dy);
                const double y = y1 + (dy - k * dx);
                take(x, y);
                x0 = x1;
                y0 = y1;
                x1 = x;
                y1 = y;
            }
        } else {
            for (std::int32_t m = row_; m <= last; ++m) {
                const double dx = x1 - x0;
                const double dy = y1 - y0;
                const double x = x1 + dx;
                const double y = y1 + dy;
                take(x, y);
                x0 = x1;
                y0 = y1;
                x1 = x;
                y1 = y;
            }
        }
        row_ = last + 1;
        if (row_ > current.last) {
            ++run_;
        }
    }
    x0_ = x0;
    y0_ = y0;
    x1_ = x1;
    y1_ = y1;
}

}  // namespace scenario
