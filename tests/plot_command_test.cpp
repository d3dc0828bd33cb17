// `plot` run as a process on compiled files placed in a folder, as users run it.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/plot_test_scenario.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::read_text_file;
using testing_support::run_program;
using testing_support::temporary_folder;

// A small encoder of the three compiled layouts (little-endian, no header, no padding), so
// these tests can place compiled files without running a compile.
class little_endian_bytes {
  public:
    void put(std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }
    void put_text(const std::string& text) {
        put(text.size(), 2);
        bytes_ += text;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

std::string items_bytes(const plot::compiled_scenario& record) {
    little_endian_bytes out;
    for (const voce& v : record.voci) {
        out.put(v.tipo, 1);
        for (const std::int32_t value : {v.valore1, v.valore2, v.valore3}) {
            out.put(static_cast<std::uint32_t>(value), 4);
        }
        out.put(v.stato, 1);
        out.put_text(v.testo);
        for (const std::int16_t value : {v.numero1, v.numero2, v.numero3, v.numero4, v.numero5}) {
            out.put(static_cast<std::uint16_t>(value), 2);
        }
        for (const std::uint8_t value : {v.extra1, v.extra2, v.extra3, v.extra4}) {
            out.put(value, 1);
        }
        out.put(static_cast<std::uint32_t>(v.valore4), 4);
    }
    return out.bytes();
}

std::string grid_bytes(const plot::compiled_scenario& record) {
    little_endian_bytes out;
    for (const cella& c : record.celle) {
        out.put(c.tipo, 1);
        for (const std::int16_t value : {c.dato1, c.dato2, c.dato3, c.dato4}) {
            out.put(static_cast<std::uint16_t>(value), 2);
        }
        for (const std::uint8_t value :
             {c.extra1, c.extra2, c.extra3, c.extra4, c.extra5, c.extra6}) {
            out.put(value, 1);
        }
    }
    return out.bytes();
}

std::string line_bytes(const profilo_linea& plan) {
    little_endian_bytes out;
    for (int column = 0; column < 2; ++column) {
        for (std::int32_t row = 0; row <= plan.ultima_riga(); ++row) {
            const profile_tag tag = plan.tag(row, column);
            out.put(static_cast<std::uint16_t>(tag), 2);
            if (tag == profile_tag::intero) {
                out.put(static_cast<std::uint16_t>(plan.valore(row, column)), 2);
            } else if (tag == profile_tag::reale) {
                out.put(std::bit_cast<std::uint64_t>(plan.valore(row, column)), 8);
            }
        }
    }
    return out.bytes();
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const char* const route = "Sample_Route";
const char* const train = "4321";

// Places the sample scenario's compiled files in the folder, the line file only with_line.
void place_compiled_files(const temporary_folder& folder, bool with_line) {
    const plot::compiled_scenario record = plot_testing::make_sample_record(20000, with_line);
    write_file(folder.path() / "Sample_Route_4321.sim", items_bytes(record));
    write_file(folder.path() / "Sample_Route_4321.dat", grid_bytes(record));
    if (with_line) {
        write_file(folder.path() / "Sample_Route_linea.dat", line_bytes(*record.profilo));
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
    EXPECT_EQ(big_endian_at(bytes, 20), 1500u);
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
            EXPECT_NE(bytes.find("width=\"1600pt\" height=\"1500pt\""), std::string::npos);
        } else {
            EXPECT_NE(bytes.find("/MediaBox [ 0 0 1600 1500 ]"), std::string::npos);
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
    EXPECT_EQ(result.standard_error, "scenario-builder plot: no item file " + dir +
                                         "/Other_4321.sim: compile the scenario into this "
                                         "folder first\n");
}

}  // namespace
}  // namespace scenario
