// The plan of the line: straight steps, arcs, the order in which curves apply, and the
// limits of the metre counter.
#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::line_of_length;
using testing_support::read_line_source;
using testing_support::source_folder;

// The plan that the line half computes for a 1000 m line with the records.
profilo_linea plan_of(std::initializer_list<std::string_view> records) {
    source_folder folder;
    auto result = read_line_source(folder, line_of_length(1000, records));
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    return result.context.record.profilo->table();
}

bool same_plan(const profilo_linea& a, const profilo_linea& b) {
    for (std::int32_t riga = 0; riga <= a.ultima_riga(); ++riga) {
        for (int colonna = 0; colonna < 2; ++colonna) {
            if (a.tag(riga, colonna) != b.tag(riga, colonna) ||
                a.valore(riga, colonna) != b.valore(riga, colonna)) {
                return false;
            }
        }
    }
    return a.ultima_riga() == b.ultima_riga();
}

TEST(Plan, StraightLineRunsAlongTheSecondCoordinate) {
    const profilo_linea plan = plan_of({});
    ASSERT_EQ(plan.ultima_riga(), 8000);
    EXPECT_EQ(plan.tag(0, 0), profile_tag::intero);
    EXPECT_EQ(plan.tag(1, 1), profile_tag::intero);
    EXPECT_EQ(plan.valore(1, 1), 1.0);
    for (const std::int32_t riga : {2, 500, 7998}) {
        EXPECT_EQ(plan.tag(riga, 0), profile_tag::reale) << riga;
        EXPECT_EQ(plan.valore(riga, 0), 0.0) << riga;
        EXPECT_EQ(plan.valore(riga, 1), riga) << riga;
    }
    // The last two rows stay empty.
    for (const std::int32_t riga : {7999, 8000}) {
        EXPECT_EQ(plan.tag(riga, 0), profile_tag::vuoto) << riga;
        EXPECT_EQ(plan.tag(riga, 1), profile_tag::vuoto) << riga;
    }
}

TEST(Plan, ArcStepTurnsTheLastStepByTheCurvature) {
    // The first arc of the built-in line: left, curvature 0.0002, from metre 700.
    const profilo_linea plan = plan_of({"curvas2,   700,  100"});
    EXPECT_EQ(plan.valore(700, 0), 0.0);
    EXPECT_EQ(plan.valore(700, 1), 700.0);
    // x(701) = x(700) + (dx + k dy) = 0 + (0 + -0.0002 x 1); y(701) = 700 + (1 - k x 0).
    EXPECT_EQ(plan.valore(701, 0), -0.0002);
    EXPECT_EQ(plan.valore(701, 1), 701.0);
    // x(702) = -0.0002 + (-0.0002 + -0.0002 x 1); y(702) = 701 + (1 - 0.0002 x 0.0002).
    EXPECT_DOUBLE_EQ(plan.valore(702, 0), -0.0006);
    EXPECT_DOUBLE_EQ(plan.valore(702, 1), 701.99999996);
}

TEST(Plan, RightArcMirrorsLeftArcExactly) {
    const profilo_linea left = plan_of({"curvas5, 100, 300"});
    const profilo_linea right = plan_of({"curvad5, 100, 300"});
    EXPECT_GT(right.valore(400, 0), 0.0) << "a right arc turns toward the first coordinate";
    for (const std::int32_t riga : {101, 250, 400, 7998}) {
        EXPECT_EQ(right.valore(riga, 0), -left.valore(riga, 0)) << riga;
        EXPECT_EQ(right.valore(riga, 1), left.valore(riga, 1)) << riga;
    }
}

TEST(Plan, CurveKeyTakesTheFirstOfTheDigits1To6AndAnyCaseOfS) {
    EXPECT_TRUE(same_plan(plan_of({"curvas21, 100, 50"}), plan_of({"curvas1, 100, 50"})));
    EXPECT_TRUE(same_plan(plan_of({"curva S3, 100, 50"}), plan_of({"curvas3, 100, 50"})));
    EXPECT_FALSE(same_plan(plan_of({"curvas3, 100, 50"}), plan_of({"curvad3, 100, 50"})));
}

TEST(Plan, CurveBehindTheNextMetreRunsItsArcFromThatMetre) {
    // The second arc starts at metre 151, where the first one left the plan.
    EXPECT_TRUE(same_plan(plan_of({"curvad4, 100, 50", "curvas4, 120, 50"}),
                          plan_of({"curvad4, 100, 50", "curvas4, 150, 20"})));
    // An arc that ends behind the next metre adds nothing.
    EXPECT_TRUE(same_plan(plan_of({"curvad4, 100, 50", "curvas6, 120, 10"}),
                          plan_of({"curvad4, 100, 50"})));
}

// At most two comment lines before a record are passed over; a third comment line is
// examined as a key, so a curve commented out in it is read.
TEST(Plan, OnlyTheThirdCommentLineInARowIsExaminedAsAKey) {
    const profilo_linea straight = plan_of({});
    for (int comments_before = 0; comments_before <= 3; ++comments_before) {
        std::string text = "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n";
        for (int i = 0; i < comments_before; ++i) {
            text += "- nota\r\n";
        }
        text += "- curvas2, 700, 100\r\n[fine]\r\n";
        source_folder folder;
        const auto result = read_line_source(folder, text);
        EXPECT_EQ(same_plan(result.context.record.profilo->table(), straight), comments_before != 2)
            << comments_before << " comment lines before";
    }
}

TEST(Plan, TwoCommentLinesBeforeACurveArePassedOver) {
    EXPECT_TRUE(same_plan(plan_of({"-montelupo", "- s romano", "curvad4,  500, 100"}),
                          plan_of({"curvad4,  500, 100"})));
}

TEST(Plan, CurveKeyWithoutADigitIs103) {
    source_folder folder;
    const auto result = read_line_source(folder, line_of_length(1000, {"curvas, 100, 50"}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 103);
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
}

TEST(Plan, WithoutTheLineNoCurveIsExaminedAndNoPlanMade) {
    source_folder folder;
    const auto result =
        read_line_source(folder, line_of_length(1000, {"curvas, 100, 50", "pendenza, 100, 3"}), 0);
    EXPECT_EQ(result.end, line_half_end::train_follows);
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_FALSE(result.context.record.profilo.has_value());
    EXPECT_EQ(result.context.record.celle[2].extra5, 103);
}

TEST(Plan, ArcEndingAtTheLastRowFitsAndOneBeyondHasNoRoom) {
    source_folder folder;
    // A line of 0 m: the plan's last row is 7000.
    const auto fits = read_line_source(folder, line_of_length(0, {"curvad1, 6000, 1000"}));
    EXPECT_EQ(fits.context.errors.codice_errore, 0);
    EXPECT_EQ(fits.context.record.profilo->tag(7000, 0), profile_tag::reale);

    const auto refused = read_line_source(folder, line_of_length(0, {"curvad1, 6000, 1001"}));
    EXPECT_EQ(refused.end, line_half_end::returned);
    EXPECT_EQ(refused.context.errors.codice_errore, 200);
    EXPECT_EQ(refused.context.errors.posizione_errore, 6000);
    EXPECT_EQ(refused.context.record.profilo->tag(2, 0), profile_tag::vuoto);
}

TEST(Plan, MetreCounterPastOneMillionIs103) {
    source_folder folder;
    const auto result = read_line_source(folder, line_of_length(1000000, {"curvad1, 999999, 10"}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 103);
    // The plan stands as far as it got: metre 1000000 was the last step.
    EXPECT_EQ(result.context.record.profilo->tag(1000000, 1), profile_tag::reale);
    EXPECT_EQ(result.context.record.profilo->tag(1000001, 1), profile_tag::vuoto);
}

}  // namespace
}  // namespace scenario
