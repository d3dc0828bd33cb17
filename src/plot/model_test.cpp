#include "plot/model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "format/cell_meaning.h"
#include "format/item_meaning.h"
#include "plot/simplify.h"
#include "support/plot_test_scenario.h"

namespace scenario::plot {
namespace {

constexpr std::int32_t sample_length = 30000;

class PlotModel : public ::testing::Test {
  protected:
    static const compiled_scenario& sample() {
        static const compiled_scenario record =
            plot_testing::make_sample_record(sample_length, true);
        return record;
    }

    static plot_model build(const compiled_scenario& record, plot_options options = {}) {
        plot_model model;
        const status built = build_plot_model(describe_scenario(record), record.profilo, options,
                                              sheet_layout{}, model);
        EXPECT_TRUE(built.ok()) << built.message();
        return model;
    }

    // The plan's rows first..last as the line file holds them.
    static extent row_extent(const profilo_linea& plan, std::int32_t first, std::int32_t last) {
        extent box{plan.valore(first, 0), plan.valore(first, 1), plan.valore(first, 0),
                   plan.valore(first, 1)};
        for (std::int32_t row = first; row <= last; ++row) {
            box.min_x = std::min(box.min_x, plan.valore(row, 0));
            box.max_x = std::max(box.max_x, plan.valore(row, 0));
            box.min_y = std::min(box.min_y, plan.valore(row, 1));
            box.max_y = std::max(box.max_y, plan.valore(row, 1));
        }
        return box;
    }

    static void expect_same_extent(const extent& actual, const extent& expected) {
        EXPECT_EQ(actual.min_x, expected.min_x);
        EXPECT_EQ(actual.max_x, expected.max_x);
        EXPECT_EQ(actual.min_y, expected.min_y);
        EXPECT_EQ(actual.max_y, expected.max_y);
    }
};

TEST_F(PlotModel, PlanBoundsAreTheExtentOfEveryRowWithAPosition) {
    const plot_model model = build(sample());
    const plan_view& plan = model.plan;
    ASSERT_TRUE(plan.has_line);
    // The line file's last two rows stay empty.
    const std::int32_t last = sample().profilo->ultima_riga() - 2;
    EXPECT_EQ(plan.first_row, 0);
    EXPECT_EQ(plan.last_row, last);
    EXPECT_EQ(plan.row_count, static_cast<std::size_t>(last) + 1);
    expect_same_extent(plan.bounds, row_extent(*sample().profilo, 0, last));

    // The track fits the panel, and touches the panel's inner margin on its longer side.
    const sheet_layout sheet;
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const point& p : plan.track) {
        const point at = plan.transform.to_sheet(p);
        left = std::min(left, at.x);
        right = std::max(right, at.x);
        top = std::min(top, at.y);
        bottom = std::max(bottom, at.y);
    }
    const double margin = sheet.plan_margin - 1e-6;
    EXPECT_GE(left, sheet.plan.left + margin);
    EXPECT_LE(right, sheet.plan.right() - margin);
    EXPECT_GE(top, sheet.plan.top + margin);
    EXPECT_LE(bottom, sheet.plan.bottom() - margin);
    EXPECT_TRUE(std::abs(right - left - (sheet.plan.width - 2 * sheet.plan_margin)) < 1.0 ||
                std::abs(bottom - top - (sheet.plan.height - 2 * sheet.plan_margin)) < 1.0);
    // North up: the line leaves the origin along growing y, upwards on the sheet.
    const point origin = plan.transform.to_sheet(*plan.origin);
    const point next = plan.transform.to_sheet({0.0, 500.0});
    EXPECT_LT(next.y, origin.y);
}

TEST_F(PlotModel, PlanIsSimplifiedWithinAFractionOfASheetUnit) {
    const plot_model model = build(sample());
    const plan_view& plan = model.plan;
    EXPECT_LT(plan.track.size() * 20, plan.row_count);
    EXPECT_DOUBLE_EQ(plan.tolerance_metres * plan.transform.scale, sheet_layout{}.plan_tolerance);
    // Every row stays within the tolerance of the drawn track near it.
    const profilo_linea& rows = *sample().profilo;
    std::size_t segment = 0;
    for (std::int32_t row = 0; row <= plan.last_row; ++row) {
        const point p{rows.valore(row, 0), rows.valore(row, 1)};
        double nearest_distance = 1e300;
        for (std::size_t s = segment; s + 1 < plan.track.size() && s < segment + 3; ++s) {
            nearest_distance = std::min(nearest_distance,
                                        distance_to_segment(p, plan.track[s], plan.track[s + 1]));
        }
        ASSERT_LE(nearest_distance, plan.tolerance_metres) << "row " << row;
        if (segment + 1 < plan.track.size() && p.x == plan.track[segment + 1].x &&
            p.y == plan.track[segment + 1].y) {
            ++segment;
        }
    }
}

struct series_case {
    const char* name;
    std::function<std::optional<int>(const std::vector<cella>&, std::size_t)> value;
    std::vector<step> distance_view::*steps;
};

class SeriesSteps : public PlotModel, public ::testing::WithParamInterface<series_case> {};

TEST_P(SeriesSteps, ChangeExactlyAtTheCellsWhereTheSeriesChanges) {
    const plot_model model = build(sample());
    const std::vector<step>& steps = model.distance.*GetParam().steps;
    const std::vector<cella>& celle = sample().celle;
    // The cells that the reader fills: all but the last three.
    const std::size_t filled = celle.size() - 3;
    std::vector<double> expected_changes;
    for (std::size_t i = 1; i < filled; ++i) {
        if (GetParam().value(celle, i) != GetParam().value(celle, i - 1)) {
            expected_changes.push_back(static_cast<double>(i) * cell_metres);
        }
    }
    ASSERT_FALSE(expected_changes.empty());
    ASSERT_EQ(steps.size(), expected_changes.size() + 1);
    EXPECT_EQ(steps.front().from_metre, 0.0);
    EXPECT_EQ(steps.back().to_metre, static_cast<double>(filled) * cell_metres);
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const auto cell = static_cast<std::size_t>(steps[k].from_metre / cell_metres);
        EXPECT_EQ(steps[k].value, GetParam().value(celle, cell)) << "step " << k;
        if (k > 0) {
            EXPECT_EQ(steps[k].from_metre, expected_changes[k - 1]) << "step " << k;
            EXPECT_EQ(steps[k].from_metre, steps[k - 1].to_metre) << "step " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesSteps,
                         ::testing::Values(series_case{"SpeedLimitInKmH", speed_limit_kmh,
                                                       &distance_view::speed},
                                           series_case{"GradientPerMille", gradient_per_mille,
                                                       &distance_view::gradient}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlotModel, EveryStationOfTheItemTableHasItsLabelAndBand) {
    const plot_model model = build(sample());
    const std::vector<std::size_t> entries = station_entries(sample().voci, sample().celle);
    ASSERT_EQ(entries, (std::vector<std::size_t>{1, 2, 3, 4}));
    ASSERT_EQ(model.plan.stations.size(), entries.size());
    ASSERT_EQ(model.distance.stations.size(), entries.size());
    const profilo_linea& rows = *sample().profilo;
    for (std::size_t s = 0; s < entries.size(); ++s) {
        const voce& station = sample().voci[entries[s]];
        const plan_label& label = model.plan.stations[s];
        EXPECT_EQ(label.text, station.testo);
        EXPECT_EQ(label.metre, station.valore3);
        EXPECT_EQ(label.at.x, rows.valore(station.valore3, 0));
        EXPECT_EQ(label.at.y, rows.valore(station.valore3, 1));
        const station_band& band = model.distance.stations[s];
        EXPECT_EQ(band.name, station.testo);
        EXPECT_EQ(band.position_metre, station.valore3);
        // The first station's area begins before the origin; the axis begins at it.
        EXPECT_EQ(band.from_metre, std::max(0, station.valore1));
        EXPECT_EQ(band.to_metre, station.valore2);
    }
    EXPECT_EQ(model.distance.stations[0].time, "13:25:00");
    EXPECT_EQ(model.distance.stations[2].time, "");  // no time in the timetable
    EXPECT_EQ(model.distance.stations[3].time, "14:31:00");
}

TEST_F(PlotModel, PointObjectsStandOneCellBeforeTheirIndex) {
    const plot_model model = build(sample());
    std::vector<double> signals;
    for (std::size_t i = 0; i < sample().celle.size(); ++i) {
        if (sample().celle[i].tipo == kind::segnale) {
            signals.push_back((static_cast<double>(i) - 1) * cell_metres);
        }
    }
    EXPECT_EQ(model.distance.signals, signals);
    ASSERT_EQ(model.plan.signals.size(), signals.size());
    EXPECT_EQ(model.plan.signals.front().metre, 1000);
    // The sample's slowdown: warning board 1200 m ahead, 600 m long, 60 km/h.
    const double start = plot_testing::round_to_cell(sample_length * 0.45);
    ASSERT_EQ(model.distance.slowdowns.size(), 1u);
    EXPECT_EQ(model.distance.slowdowns[0].from_metre, start);
    EXPECT_EQ(model.distance.slowdowns[0].to_metre, start + 600);
    EXPECT_EQ(model.distance.slowdowns[0].speed, 60);
    ASSERT_EQ(model.distance.warnings.size(), 1u);
    EXPECT_EQ(model.distance.warnings[0].metre, start - 1200);
    EXPECT_EQ(model.distance.warnings[0].speed, 60);
    ASSERT_FALSE(model.distance.boards.empty());
    EXPECT_EQ(model.distance.boards[0].metre, 800);
    EXPECT_EQ(model.distance.boards[0].text, "100/110/120");
}

// A slowdown that begins inside another ends where its own end lies, as the description of
// the scenario pairs them, and the outer one keeps its length; each warning board shows its
// slowdown's speed.
TEST_F(PlotModel, SlowdownInsideAnotherIsDrawnToItsOwnEnd) {
    compiled_scenario record = plot_testing::make_sample_record(sample_length, false);
    plot_testing::add_slowdown(record.celle, 20000, 1000, 50);
    plot_testing::add_slowdown(record.celle, 20400, 200, 30);
    const std::pair<double, std::uint8_t> placed[] = {
        {18800, kind::avviso_rallentamento}, {19200, kind::avviso_rallentamento},
        {20000, kind::inizio_rallentamento}, {20400, kind::inizio_rallentamento},
        {20600, kind::fine_rallentamento},   {21000, kind::fine_rallentamento}};
    for (const auto& [metre, tipo] : placed) {
        ASSERT_EQ(record.celle[static_cast<std::size_t>(cella_di_punto(metre))].tipo, tipo)
            << metre;
    }
    const distance_view d = build(record, {18.0, 22.0}).distance;
    ASSERT_EQ(d.slowdowns.size(), 2u);
    EXPECT_EQ(d.slowdowns[0].from_metre, 20000);
    EXPECT_EQ(d.slowdowns[0].to_metre, 21000);
    EXPECT_EQ(d.slowdowns[0].speed, 50);
    EXPECT_EQ(d.slowdowns[1].from_metre, 20400);
    EXPECT_EQ(d.slowdowns[1].to_metre, 20600);
    EXPECT_EQ(d.slowdowns[1].speed, 30);
    ASSERT_EQ(d.warnings.size(), 2u);
    EXPECT_EQ(d.warnings[0].metre, 18800);
    EXPECT_EQ(d.warnings[0].speed, 50);
    EXPECT_EQ(d.warnings[1].metre, 19200);
    EXPECT_EQ(d.warnings[1].speed, 30);
}

TEST_F(PlotModel, RangeLimitsEveryPanel) {
    const double from = 8000;
    const double to = 17000;
    const plot_model model = build(sample(), {from / 1000, to / 1000});
    const auto inside = [&](double metre) { return metre >= from && metre <= to; };

    const plan_view& plan = model.plan;
    EXPECT_EQ(plan.first_row, from);
    EXPECT_EQ(plan.last_row, to);
    expect_same_extent(plan.bounds, row_extent(*sample().profilo, 8000, 17000));
    EXPECT_FALSE(plan.origin.has_value());
    EXPECT_FALSE(plan.line_end.has_value());
    for (const plan_tick& tick : plan.ticks) {
        EXPECT_TRUE(inside(tick.metre)) << tick.metre;
    }
    for (const plan_label& label : plan.stations) {
        EXPECT_TRUE(inside(label.metre)) << label.text;
    }
    EXPECT_EQ(plan.stations.size(), 1u);  // Bravo at 9000 m
    EXPECT_EQ(plan.signals.size(), 6u);   // 8500, 10000, ... 16000
    for (const plan_mark& signal : plan.signals) {
        EXPECT_TRUE(inside(signal.metre)) << signal.metre;
    }

    const distance_view& d = model.distance;
    EXPECT_EQ(d.from_metre, from);
    EXPECT_EQ(d.to_metre, to);
    for (const std::vector<step>* steps : {&d.gradient, &d.speed}) {
        ASSERT_FALSE(steps->empty());
        EXPECT_EQ(steps->front().from_metre, from);
        EXPECT_EQ(steps->back().to_metre, to);
        for (const step& s : *steps) {
            EXPECT_TRUE(inside(s.from_metre) && inside(s.to_metre) && s.from_metre < s.to_metre);
        }
    }
    for (const double tick : d.ticks) {
        EXPECT_TRUE(inside(tick)) << tick;
    }
    for (const double signal : d.signals) {
        EXPECT_TRUE(inside(signal)) << signal;
    }
    EXPECT_EQ(d.signals.size(), 6u);
    for (const speed_board& board : d.boards) {
        EXPECT_TRUE(inside(board.metre)) << board.metre;
    }
    EXPECT_EQ(d.boards.size(), 2u);  // 10800 and 15800
    for (const warning_board& warning : d.warnings) {
        EXPECT_TRUE(inside(warning.metre)) << warning.metre;
    }
    EXPECT_EQ(d.warnings.size(), 1u);  // 12300, ahead of the slowdown at 13500
    for (const slowdown_band& band : d.slowdowns) {
        EXPECT_TRUE(inside(band.from_metre) && inside(band.to_metre));
    }
    EXPECT_EQ(d.slowdowns.size(), 1u);
    for (const mountain_band& band : d.mountains) {
        EXPECT_TRUE(inside(band.from_metre) && inside(band.to_metre));
    }
    EXPECT_EQ(d.mountains.size(), 1u);  // 15000-16000; 2000-2600 lies before the range
    ASSERT_EQ(d.stations.size(), 1u);
    EXPECT_EQ(d.stations[0].name, "Bravo");
    EXPECT_FALSE(d.line_end_metre.has_value());
}

TEST_F(PlotModel, RangeClipsWhatCrossesItsEdges) {
    // From 8.8 km to 15.5 km: Bravo's area (8700-9300) and the second mountain-side stretch
    // (15000-16000) cross the two edges.
    const plot_model model = build(sample(), {8.8, 15.5});
    ASSERT_EQ(model.distance.stations.size(), 1u);
    EXPECT_EQ(model.distance.stations[0].from_metre, 8800);
    EXPECT_EQ(model.distance.stations[0].to_metre, 9300);
    ASSERT_EQ(model.distance.mountains.size(), 1u);
    EXPECT_EQ(model.distance.mountains[0].from_metre, 15000);
    EXPECT_EQ(model.distance.mountains[0].to_metre, 15500);
    EXPECT_EQ(model.distance.mountains[0].side, 2);
}

TEST_F(PlotModel, WithoutTheLineFileThePlanSaysSoAndTheRestIsBuilt) {
    const plot_model model = build(plot_testing::make_sample_record(sample_length, false));
    EXPECT_FALSE(model.plan.has_line);
    EXPECT_EQ(model.plan.missing_text, "no plan: the line file was not compiled");
    EXPECT_TRUE(model.plan.track.empty());
    EXPECT_EQ(model.distance.stations.size(), 4u);
    EXPECT_FALSE(model.distance.speed.empty());
    EXPECT_EQ(model.title, "Sample_Route, train 4321: line length 30000 m");
}

TEST_F(PlotModel, RangeOutsideTheDataIsRefused) {
    struct range_case {
        plot_options options;
        std::string message;
    };
    // The sample's grid has 741 cells: the last one starts at 37 km.
    const range_case cases[] = {
        {{-1.0, std::nullopt}, "--from -1.000 km lies before the origin of the line (0 km)"},
        {{std::nullopt, 37.5}, "--to 37.500 km lies beyond the grid, which ends at 37.000 km"},
        {{5.0, 5.0}, "the range from 5.000 km to 5.000 km is empty: --from must lie before --to"},
        {{9.0, 2.0}, "the range from 9.000 km to 2.000 km is empty: --from must lie before --to"},
        {{37.0, std::nullopt},
         "the range from 37.000 km to 37.000 km is empty: --from must lie before --to"},
    };
    for (const range_case& c : cases) {
        plot_model model;
        const status built = build_plot_model(describe_scenario(sample()), sample().profilo,
                                              c.options, sheet_layout{}, model);
        ASSERT_FALSE(built.ok()) << c.message;
        EXPECT_EQ(built.message(), c.message);
    }
}

TEST_F(PlotModel, BoardTextEntriesAreNotStations) {
    // A scenario with no station: entry 1 holds the text of the 80th indicator board.
    compiled_scenario record = plot_testing::make_sample_record(sample_length, false);
    for (int k = 1; k <= 4; ++k) {
        record.voci[k] = voce{};
    }
    record.voci[1].testo = "(  Km. ) (2.000)";
    record.celle[41].tipo = kind::cartello_indicatore;
    record.celle[41].dato1 = 1;
    EXPECT_TRUE(station_entries(record.voci, record.celle).empty());
    EXPECT_TRUE(build(record).distance.stations.empty());
}

TEST(PlotModelLongLine, LongestLineIsDrawnWithFewPoints) {
    const compiled_scenario record = plot_testing::make_sample_record(1000000, true);
    plot_model model;
    ASSERT_TRUE(
        build_plot_model(describe_scenario(record), record.profilo, {}, sheet_layout{}, model)
            .ok());
    EXPECT_EQ(model.plan.row_count, 1006999u);
    EXPECT_LT(model.plan.track.size(), 20000u);
    EXPECT_EQ(model.plan.stations.size(), 4u);
}

}  // namespace
}  // namespace scenario::plot
