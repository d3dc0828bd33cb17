// The five text files of a build: every byte as listed, and each file replaced whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "documents/route_notes.h"
#include "documents/slowdown_order.h"
#include "documents/train_sheet.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "source/scenario_files.h"
#include "support/byte_compare.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::read_text_file;
using testing_support::same_bytes;
using testing_support::temporary_folder;

struct text_file_case {
    const char* name;
    status (*write)(const std::string&, const scenario_identity&);
    std::string (*file_name)(const scenario_identity&);
    int lines;
    std::size_t bytes;
};

void PrintTo(const text_file_case& c, std::ostream* out) {
    *out << c.name;
}

class TextFiles : public testing::TestWithParam<text_file_case> {};

TEST_P(TextFiles, WrittenFileMatchesItsListingByteForByte) {
    const text_file_case& c = GetParam();
    temporary_folder folder;
    const std::string name = c.file_name(builtin_identity());
    ASSERT_TRUE(c.write(folder.string(), builtin_identity()).ok());

    const std::string written = read_text_file(folder.path() / name);
    EXPECT_EQ(written.size(), c.bytes);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), c.lines);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\r'), c.lines);
    EXPECT_EQ(written.find("riferimento fine del file"), std::string::npos);
    EXPECT_TRUE(
        same_bytes(written, read_text_file(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name)));
}

TEST_P(TextFiles, ExistingFileIsReplacedWhole) {
    const text_file_case& c = GetParam();
    temporary_folder folder;
    const std::filesystem::path path = folder.path() / c.file_name(builtin_identity());
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
    ASSERT_TRUE(c.write(folder.string(), builtin_identity()).ok());
    EXPECT_EQ(std::filesystem::file_size(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Builtin, TextFiles,
    testing::Values(text_file_case{"LineSource", dati_linea, line_source_name, 121, 3401},
                    text_file_case{"TrainSource", dati_treno, train_source_name, 114, 4963},
                    text_file_case{"RouteNotes", dati_note, route_notes_name, 25, 1399},
                    text_file_case{"SlowdownOrder", dati_rallentamenti, slowdown_order_name, 41,
                                   2859},
                    text_file_case{"TrainSheet", dati_scheda, train_sheet_name, 48, 3750}),
    [](const testing::TestParamInfo<text_file_case>& info) { return info.param.name; });

TEST(TextFiles, IdentityChangesOnlyTheFileNames) {
    temporary_folder folder;
    const scenario_identity other{"Altra_Linea", "77"};
    ASSERT_TRUE(dati_scheda(folder.string(), other).ok());
    ASSERT_TRUE(dati_linea(folder.string(), other).ok());
    EXPECT_EQ(read_text_file(folder.path() / "Altra_Linea_77_scheda_treno.txt"),
              read_text_file(std::string(SCENARIO_TEST_DATA_DIR) +
                             "/Valdora_Rova_5284_scheda_treno.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Altra_Linea_linea.txt"));
}

TEST(TextFiles, WriteIntoMissingFolderNamesFileAndCause) {
    temporary_folder folder;
    const status written = dati_note((folder.path() / "missing").string(), builtin_identity());
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.message().find("missing/Valdora_Rova_5284_note.txt"), std::string::npos);
    EXPECT_NE(written.message().find("No such file or directory"), std::string::npos);
}

}  // namespace
}  // namespace scenario
