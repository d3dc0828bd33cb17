// The built-in build as users start it: the three compiled files it leaves, compared whole
// with the expected files (tests/data, rebuilt on purpose by regenerate-compiled.sh), and
// their layouts checked where a wrong byte would show.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "compiler/compile_routine.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/byte_compare.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::read_text_file;
using testing_support::run_program;
using testing_support::same_bytes;
using testing_support::shell_quote;
using testing_support::temporary_folder;

const char* const compiled_files[] = {"Valdora_Rova_linea.dat", "Valdora_Rova_5284.sim",
                                      "Valdora_Rova_5284.dat"};

std::string expected_file(const std::string& name) {
    return read_text_file(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name);
}

std::uint64_t little_endian(const std::string& file, std::size_t offset, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(file.at(offset + i));
    }
    return value;
}

class BuiltinBuild : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new temporary_folder;
        const auto result = run_program({"build", "--dir", folder_->string()});
        exit_status_ = result.exit_status;
        standard_error_ = result.standard_error;
    }
    static void TearDownTestSuite() { delete folder_; }

    static std::string file(const std::string& name) {
        return read_text_file(folder_->path() / name);
    }

    static temporary_folder* folder_;
    static int exit_status_;
    static std::string standard_error_;
};

temporary_folder* BuiltinBuild::folder_ = nullptr;
int BuiltinBuild::exit_status_ = -1;
std::string BuiltinBuild::standard_error_;

TEST_F(BuiltinBuild, EndsNormallyAndDeletesTheLineSource) {
    EXPECT_EQ(exit_status_, 0);
    EXPECT_EQ(standard_error_, "");
    EXPECT_FALSE(std::filesystem::exists(folder_->path() / "Valdora_Rova_linea.txt"));
}

TEST_F(BuiltinBuild, LeavesExactlyTheSixFilesThatOutliveTheBuild) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_->path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"Valdora_Rova_linea.dat", "Valdora_Rova_5284.sim",
                                            "Valdora_Rova_5284.dat", "Valdora_Rova_5284_note.txt",
                                            "Valdora_Rova_5284_rallentamenti.txt",
                                            "Valdora_Rova_5284_scheda_treno.txt"}));
}

// The built-in data are consistent: no two objects share a cell, the stations are spaced,
// the kilometre references are all 0 and every record lies inside the grid. No signal stands
// within 20 cells before either warning board or within 12 cells after either slowdown end,
// and both slowdowns are too short for a point inside, so the grid pass places only the three
// window points ahead of each slowdown start. The build therefore ends with no error at all.
TEST(BuiltinScenario, CompilesWithoutAnyRecordedError) {
    temporary_folder folder;
    ASSERT_TRUE(dati_linea(folder.string(), builtin_identity()).ok());
    ASSERT_TRUE(dati_treno(folder.string(), builtin_identity()).ok());
    compile_context context({folder.string(), builtin_identity(), true});
    const compile_outcome outcome = memorizza_percorso(context, 1);
    ASSERT_EQ(outcome.how, compile_outcome::end::compiled);
    EXPECT_EQ(context.errors.codice_errore, 0);
    EXPECT_EQ(context.errors.posizione_errore, 0);
    EXPECT_TRUE(context.errors.errors().empty());
    std::vector<std::int64_t> points;
    for (std::size_t i = 0; i < context.record.celle.size(); ++i) {
        if (context.record.celle[i].tipo == kind::abbattimento_con_valore) {
            EXPECT_EQ(context.record.celle[i].dato1, 180) << "cell " << i;
            points.push_back(static_cast<std::int64_t>(i));
        }
    }
    EXPECT_EQ(points, (std::vector<std::int64_t>{713, 720, 726, 1480, 1487, 1493}));
}

TEST_F(BuiltinBuild, CompiledFilesMatchTheExpectedFilesWhole) {
    for (const char* name : compiled_files) {
        EXPECT_TRUE(same_bytes(file(name), expected_file(name))) << name;
    }
}

TEST_F(BuiltinBuild, GridFileHoldsOneCellPer50MetresWithTheStampInCell1) {
    const std::string grid = file("Valdora_Rova_5284.dat");
    ASSERT_EQ(grid.size(), 26715u);
    EXPECT_EQ(static_cast<unsigned char>(grid[16]), 0x01);
    EXPECT_EQ(static_cast<unsigned char>(grid[17]), 0x14);
    EXPECT_EQ(little_endian(grid, 18, 2), 2515u);
    // The maximum-speed board at 800 m in cell 17: 105/115/120 km/h on its left face.
    const std::size_t cell_17 = std::size_t{17} * 15;
    EXPECT_EQ(grid[cell_17], 6);
    EXPECT_EQ(little_endian(grid, cell_17 + 1, 2), 2100u);
    EXPECT_EQ(little_endian(grid, cell_17 + 5, 2), 2400u);
    // Gradient 4 from 300 m: cell 6 holds 104 in extra5; the last cell holds none.
    EXPECT_EQ(grid[6 * 15 + 13], 104);
    EXPECT_EQ(grid[1780 * 15 + 13], 0);
}

TEST_F(BuiltinBuild, ItemFileHolds87EntriesBackToBack) {
    const std::string items = file("Valdora_Rova_5284.sim");
    std::size_t offset = 0;
    std::size_t entries = 0;
    std::size_t entry_85 = 0;
    while (offset + 34 <= items.size()) {
        if (entries == 85) {
            entry_85 = offset;
        }
        offset += 34 + little_endian(items, offset + 14, 2);
        ++entries;
    }
    EXPECT_EQ(entries, 87u);
    EXPECT_EQ(offset, items.size());
    EXPECT_EQ(items.substr(entry_85 + 16, 12), "Valdora_Rova");
    EXPECT_EQ(little_endian(items, entry_85 + 28, 2), 610u);
    EXPECT_EQ(little_endian(items, entry_85 + 42, 4), 35495u);
}

// Column x, then column y; rows 0 and 1 take 4 bytes (tag and integer), later rows 10 (tag
// and double) up to row 88998, and the last two rows 2 bytes each.
TEST_F(BuiltinBuild, LineFileHoldsThePlanColumnByColumn) {
    const std::string line = file("Valdora_Rova_linea.dat");
    ASSERT_EQ(line.size(), 1779964u);
    const std::size_t column_bytes = line.size() / 2;
    const auto element = [](std::int32_t row) {
        return 8 + 10 * static_cast<std::size_t>(row - 2);
    };
    const auto real_at = [&](std::size_t offset) {
        EXPECT_EQ(little_endian(line, offset, 2), 5u) << "tag at " << offset;
        return std::bit_cast<double>(little_endian(line, offset + 2, 8));
    };
    EXPECT_EQ(little_endian(line, 0, 4), 2u);                          // x(0): tag 2, value 0
    EXPECT_EQ(little_endian(line, column_bytes + 4, 4), 0x00010002u);  // y(1) = 1
    EXPECT_EQ(real_at(element(700)), 0.0);
    EXPECT_EQ(real_at(column_bytes + element(700)), 700.0);
    EXPECT_EQ(real_at(element(701)), -0.0002);
    EXPECT_EQ(real_at(column_bytes + element(701)), 701.0);
    EXPECT_DOUBLE_EQ(real_at(element(702)), -0.0006);
    EXPECT_DOUBLE_EQ(real_at(column_bytes + element(702)), 701.99999996);
    EXPECT_EQ(little_endian(line, element(88999), 4), 0u) << "rows 88999 and 89000 are empty";
    EXPECT_EQ(element(88999) + 4, column_bytes);
}

TEST(BuiltinBuildWithoutArguments, BuildsBesideTheProgram) {
    temporary_folder folder;
    const std::filesystem::path program = folder.path() / "scenario-builder";
    std::filesystem::copy_file(SCENARIO_BUILDER_EXE, program);
    const int raw = std::system((shell_quote(program.string()) + " </dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    for (const char* name : compiled_files) {
        EXPECT_TRUE(same_bytes(read_text_file(folder.path() / name), expected_file(name))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Valdora_Rova_linea.txt"));
}

}  // namespace
}  // namespace scenario
