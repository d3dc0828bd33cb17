// The line half on the built-in line source file, as the build writes it.
#include <gtest/gtest.h>

#include <string>

#include "source/builtin_line.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::dump;
using testing_support::dump_values;
using testing_support::read_line;
using testing_support::source_folder;

class BuiltinLine : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new source_folder;
        ASSERT_TRUE(dati_linea(folder_->path().string(), builtin_identity()).ok());
        folder_->write_train_source("treno\r\n");
        result_ = new testing_support::line_half_result(read_line(*folder_));
    }
    static void TearDownTestSuite() {
        delete result_;
        delete folder_;
    }

    static const scenario_record& record() { return result_->context.record; }

    static source_folder* folder_;
    static testing_support::line_half_result* result_;
};

source_folder* BuiltinLine::folder_ = nullptr;
testing_support::line_half_result* BuiltinLine::result_ = nullptr;

TEST_F(BuiltinLine, IsReadWithoutErrorAndDeleted) {
    EXPECT_EQ(result_->end, line_half_end::train_follows);
    EXPECT_EQ(result_->context.errors.codice_errore, 0);
    EXPECT_TRUE(result_->context.errors.errors().empty());
    EXPECT_FALSE(std::filesystem::exists(folder_->line_source_path()));
    EXPECT_TRUE(std::filesystem::exists(folder_->train_source_path()));
}

TEST_F(BuiltinLine, GeneralSettingsFillEntries81To86) {
    const auto& voci = record().voci;
    for (const std::size_t entry : {81, 82, 83}) {
        EXPECT_EQ(dump_values(voci[entry]), "0 0 0") << entry;
    }
    EXPECT_EQ(dump_values(voci[84]), "0 82000 0");
    EXPECT_EQ(dump_values(voci[85]), "1 0 0");
    EXPECT_EQ(dump_values(voci[86]), "4650 79150 4");
    EXPECT_EQ(voci[85].testo, "Valdora_Rova");
    EXPECT_EQ(voci[86].testo, "5284");
    EXPECT_EQ(record().limite_profilo, 89000);
    EXPECT_EQ(record().ultima_cella, 1780);
}

TEST_F(BuiltinLine, GradientsFillCells0To1777) {
    const auto& celle = record().celle;
    EXPECT_EQ(celle[5].extra5, 100);
    EXPECT_EQ(celle[6].extra5, 104);
    EXPECT_EQ(celle[9].extra5, 104);
    EXPECT_EQ(celle[10].extra5, 100);
    EXPECT_EQ(celle[85].extra5, 96);  // -4 from 4000 m
    EXPECT_EQ(celle[1777].extra5, 100);
    for (const std::size_t cell : {1778, 1779, 1780}) {
        EXPECT_EQ(celle[cell].extra5, 0) << cell;
    }
}

TEST_F(BuiltinLine, BoardsAndStretchesStandInTheirCells) {
    const auto& celle = record().celle;
    EXPECT_EQ(dump(celle[17]), "tipo 6 | 2100 2300 2400 0 | 0 0 0 0 100 0");
    EXPECT_EQ(dump(celle[157]), "tipo 6 | 2424 2626 2727 0 | 0 0 0 0 100 0");
    EXPECT_EQ(dump(celle[1394]), "tipo 6 | 2400 2600 2700 0 | 0 0 0 0 100 0");
    EXPECT_EQ(dump(celle[372]), "tipo 14 | 80 0 0 0 | 0 0 0 0 100 0");
    EXPECT_EQ(dump(celle[416]), "tipo 14 | 79 0 0 0 | 0 0 0 0 100 0");
    EXPECT_EQ(dump(celle[443]), "tipo 14 | 78 0 0 0 | 0 0 0 0 100 0");
    EXPECT_EQ(celle[444].extra5, 97);  // -3 from 22200 m, the cell after the board
    EXPECT_EQ(record().voci[78].testo, "( Ponte  ) (su fiume) (  Arno  )");
    EXPECT_EQ(result_->context.prossima_voce_cartello, 77);
    EXPECT_EQ(dump(celle[582]), "tipo 0 | 0 0 0 0 | 0 0 2 0 100 0");
    EXPECT_EQ(dump(celle[583]), "tipo 0 | 0 0 0 0 | 0 0 2 0 100 0");
    EXPECT_EQ(celle[584].extra3, 0);
    EXPECT_EQ(celle[1140].extra3, 0);
    EXPECT_EQ(celle[1141].extra3, 1);
    EXPECT_EQ(celle[1146].extra3, 1);
    EXPECT_EQ(celle[1147].extra3, 0);

    int boards = 0;
    for (const cella& cell : celle) {
        boards += cell.tipo == kind::indicatore_v_max ? 1 : 0;
    }
    EXPECT_EQ(boards, 19);
}

TEST_F(BuiltinLine, PlanTurnsAtItsFirstArcAndEndsTwoRowsEarly) {
    const profilo_linea plan = record().profilo->table();
    ASSERT_EQ(plan.ultima_riga(), 89000);
    EXPECT_EQ(plan.valore(700, 0), 0.0);
    EXPECT_EQ(plan.valore(700, 1), 700.0);
    EXPECT_EQ(plan.valore(701, 0), -0.0002);
    EXPECT_EQ(plan.valore(701, 1), 701.0);
    EXPECT_DOUBLE_EQ(plan.valore(702, 0), -0.0006);
    EXPECT_DOUBLE_EQ(plan.valore(702, 1), 701.99999996);
    EXPECT_EQ(plan.tag(88998, 0), profile_tag::reale);
    EXPECT_EQ(plan.tag(88999, 0), profile_tag::vuoto);
    EXPECT_EQ(plan.tag(89000, 1), profile_tag::vuoto);
}

}  // namespace
}  // namespace scenario
