// `plot` run as a process on compiled files placed in a folder, as users run it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "format/compiled_files.h"
#include "support/plot_test_scenario.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::read_text_file;
using testing_support::run_program;
using testing_support::temporary_folder;

void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const char* const route = "Sample_Route";
const char* const train = "4321";

// Places the sample scenario's compiled files in the folder, the line file only with_line.
void place_compiled_files(const temporary_folder& folder, bool with_line) {
    const plot::compiled_scenario record = plot_testing::make_sample_record(20000, with_line);
    write_file(folder.path() / "Sample_Route_4321.sim", encode_item_file(record.voci));
    write_file(folder.path() / "Sample_Route_4321.dat", encode_grid_file(record.celle));
    if (with_line) {
        write_file(folder.path() / "Sample_Route_linea.dat", encode_line_file(*record.profilo));
    }
}

std::uint32_t big_endian_at(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

void expect_png_of_the_sheet(const std::string& bytes) {
    ASSERT_GE(bytes.size(), 33u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(big_endian_at(bytes, 16), 1600u);
    EXPECT_EQ(big_endian_at(bytes, 20), 1660u);
}

TEST(PlotCommand, WritesPngSvgAndPdfOfTheSameSheet) {
    temporary_folder folder;
    place_compiled_files(folder, true);
    struct format_case {
        const char* name;
        std::string opening;
    };
    for (const format_case& c :
         {format_case{"sheet.png", "\x89PNG"}, format_case{"sheet.SVG", "<?xml"},
          format_case{"sheet.pdf", "%PDF-"}}) {
        const std::string out = (folder.path() / c.name).string();
        const auto result = run_program(
            {"plot", "--dir", folder.string(), "--route", route, "--train", train, "--out", out});
        ASSERT_EQ(result.exit_status, 0) << c.name << ": " << result.standard_error;
        EXPECT_EQ(result.standard_output, "wrote " + out + "\n");
        const std::string bytes = read_text_file(out);
        EXPECT_EQ(bytes.substr(0, c.opening.size()), c.opening) << c.name;
        if (c.name == std::string("sheet.png")) {
            expect_png_of_the_sheet(bytes);
        } else if (c.name == std::string("sheet.SVG")) {
            EXPECT_NE(bytes.find("width=\"1600pt\" height=\"1660pt\""), std::string::npos);
        } else {
            EXPECT_NE(bytes.find("/MediaBox [ 0 0 1600 1660 ]"), std::string::npos);
        }
    }
}

TEST(PlotCommand, DrawsWithoutTheLineFileIntoTheDefaultPicture) {
    temporary_folder folder;
    place_compiled_files(folder, false);
    const auto result = run_program(
        {"plot", "--dir", folder.string(), "--route", route, "--train", train, "--from", "2"});
    ASSERT_EQ(result.exit_status, 0) << result.standard_error;
    expect_png_of_the_sheet(read_text_file(folder.path() / "Sample_Route_4321.png"));
}

TEST(PlotCommand, RefusesMissingOrBrokenFilesAndBadArguments) {
    temporary_folder folder;
    place_compiled_files(folder, true);
    const std::string dir = folder.string();
    const std::filesystem::path grid = folder.path() / "Sample_Route_4321.dat";
    struct refusal {
        std::vector<std::string> extra;
        int status;
        std::string message;
    };
    const refusal refusals[] = {
        {{"--out", dir + "/sheet.jpg"},
         64,
         "cannot tell the picture's format from " + dir + "/sheet.jpg: name it .png, .svg or .pdf"},
        {{"--from", "9", "--to", "4"},
         64,
         "the range from 9.000 km to 4.000 km is empty: --from must lie before --to"},
        {{"--to", "40"}, 64, "--to 40.000 km lies beyond the grid, which ends at 27.000 km"},
        {{"--from", "two"}, 64, "--from"},
        {{"--out", dir + "/no/such/folder/sheet.png"},
         2,
         "cannot write " + dir + "/no/such/folder/sheet.png"},
    };
    for (const refusal& r : refusals) {
        std::vector<std::string> args{"plot", "--dir", dir, "--route", route, "--train", train};
        args.insert(args.end(), r.extra.begin(), r.extra.end());
        const auto result = run_program(args);
        EXPECT_EQ(result.exit_status, r.status) << r.message;
        EXPECT_NE(result.standard_error.find(r.message), std::string::npos)
            << result.standard_error;
    }

    // A grid file cut in the middle of a cell, then no item file at all.
    write_file(grid, read_text_file(grid).substr(0, 100));
    auto result = run_program({"plot", "--dir", dir, "--route", route, "--train", train});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error,
              "scenario-builder plot: " + grid.string() +
                  ": not a compiled grid file: its size, 100 bytes, is not a whole number of "
                  "15-byte cells\n");
    result = run_program({"plot", "--dir", dir, "--route", "Other", "--train", train});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder plot: no compiled item file " + dir +
                                         "/Other_4321.sim: compile the scenario first\n");
}

}  // namespace
}  // namespace scenario
