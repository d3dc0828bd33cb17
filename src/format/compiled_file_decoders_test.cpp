// The decoders are the encoders' inverse: the built-in compiled files read back into a
// scenario record and written again give the same bytes; a file that does not fit its
// layout is refused, whatever its size, with the byte where it stops fitting.
#include "format/compiled_file_decoders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "format/compiled_files.h"

namespace scenario {
namespace {

std::string expected_file(const std::string& name) {
    std::ifstream input(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    return content.str();
}

TEST(CompiledFileDecoders, BuiltinFilesReadBackIntoARecordAreWrittenAgainByteForByte) {
    const std::string items = expected_file("Valdora_Rova_5284.sim");
    const std::string grid = expected_file("Valdora_Rova_5284.dat");
    const std::string line = expected_file("Valdora_Rova_linea.dat");
    ASSERT_FALSE(items.empty() || grid.empty() || line.empty());

    scenario_record record;
    ASSERT_TRUE(decode_item_file(items, record.voci).ok());
    ASSERT_TRUE(decode_grid_file(grid, record.celle).ok());
    // The compiler holds the plan as its steps; read back, it is the table of every row.
    std::optional<profilo_linea> plan;
    ASSERT_TRUE(decode_line_file(line, plan).ok());

    EXPECT_EQ(record.voci[1].testo, "VALDORA S.M.N.");
    EXPECT_EQ(record.celle.size(), 1781u);
    EXPECT_EQ(plan->ultima_riga(), 89000);
    EXPECT_EQ(encode_item_file(record.voci), items);
    EXPECT_EQ(encode_grid_file(record.celle), grid);
    EXPECT_EQ(encode_line_file(*plan), line);
}

TEST(CompiledFileDecoders, EveryShortenedItemFileIsRefused) {
    const std::string items = expected_file("Valdora_Rova_5284.sim");
    std::array<voce, numero_voci> voci{};
    for (std::size_t size = 0; size < items.size(); ++size) {
        const status decoded = decode_item_file(std::string_view(items).substr(0, size), voci);
        ASSERT_FALSE(decoded.ok()) << size;
        ASSERT_TRUE(decoded.message().starts_with("not a compiled item file")) << size;
    }
}

TEST(CompiledFileDecoders, ItemFileWithBytesAfterTheLastEntryIsRefused) {
    std::array<voce, numero_voci> voci{};
    const status decoded = decode_item_file(expected_file("Valdora_Rova_5284.sim") + "xy", voci);
    EXPECT_EQ(decoded.message(), "not a compiled item file: 2 bytes follow the 87th entry");
}

TEST(CompiledFileDecoders, TextLengthBeyondTheFileIsRefusedWhereItStands) {
    std::string items = expected_file("Valdora_Rova_5284.sim");
    items[14] = '\xFF';  // entry 0: its text length becomes 255
    std::array<voce, numero_voci> voci{};
    EXPECT_EQ(decode_item_file(items.substr(0, 200), voci).message(),
              "not a compiled item file: the layout stops fitting at byte 16");
}

TEST(CompiledFileDecoders, GridFileMustBeWholeCells) {
    std::vector<cella> celle;
    for (const std::size_t size : {0u, 1u, 14u, 16u, 26714u}) {
        const status decoded = decode_grid_file(std::string(size, '\0'), celle);
        EXPECT_EQ(decoded.message(), "not a compiled grid file: its size, " + std::to_string(size) +
                                         " bytes, is not a whole number of 15-byte cells");
    }
    EXPECT_TRUE(decode_grid_file(std::string(30, '\0'), celle).ok());
    EXPECT_EQ(celle.size(), 2u);
}

struct line_case {
    const char* name;
    std::string bytes;
    std::string message;
};

class MalformedLineFiles : public testing::TestWithParam<line_case> {};

TEST_P(MalformedLineFiles, AreRefused) {
    std::optional<profilo_linea> profilo;
    EXPECT_EQ(decode_line_file(GetParam().bytes, profilo).message(), GetParam().message);
}

// Elements: a tag of two bytes, then nothing (0), a 16-bit integer (2) or a double (5).
INSTANTIATE_TEST_SUITE_P(
    Layouts, MalformedLineFiles,
    testing::Values(
        line_case{"Empty", "",
                  "not a compiled line file: 0 elements do not make two columns of "
                  "equal length"},
        line_case{"OddElementCount", std::string("\0\0\0\0\0\0", 6),
                  "not a compiled line file: 3 elements do not make two columns of equal length"},
        line_case{"HalfATag", std::string("\0\0\0", 3),
                  "not a compiled line file: the layout stops fitting at byte 2"},
        line_case{"UnknownTag", std::string("\0\0\x03\0", 4),
                  "not a compiled line file: the layout stops fitting at byte 2"},
        line_case{"ShortInteger", std::string("\0\0\x02\0\x01", 5),
                  "not a compiled line file: the layout stops fitting at byte 2"},
        line_case{"ShortDouble", std::string("\x05\0\0\0\0\0\0\0\0", 9),
                  "not a compiled line file: the layout stops fitting at byte 0"},
        // More rows than the plan of a 1000000 m line has, though every element is sound.
        line_case{"LongerThanTheLongestLine", std::string(std::size_t{2} * (2 * 1007001 + 2), '\0'),
                  "not a compiled line file: it holds more than the 1007001 rows a column of "
                  "the longest line has"}),
    [](const testing::TestParamInfo<line_case>& info) { return std::string(info.param.name); });

TEST(CompiledFileDecoders, LineFileOfTheLongestLineIsAccepted) {
    std::optional<profilo_linea> profilo;
    ASSERT_TRUE(decode_line_file(std::string(std::size_t{2} * 2 * 1007001, '\0'), profilo).ok());
    EXPECT_EQ(profilo->ultima_riga(), 1007000);
}

}  // namespace
}  // namespace scenario
