// The documents made from a scenario's data: from the built-in sources they give the built-in
// documents' layout to the byte and its timetable, and from a small model each rule of the
// rows shows.
#include "documents/generated_documents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compile_report.h"
#include "documents/document_model_of_compile.h"
#include "documents/fixed_columns.h"
#include "documents/slowdown_order.h"
#include "documents/train_sheet.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::source_folder;

// The built-in sources compiled in memory, as `documents` compiles an author's.
document_model builtin_model() {
    const source_folder folder;
    source_texts held;
    held.keep(folder.line_source_path().string(), compose_line_table(builtin_line_table()));
    held.keep(folder.train_source_path().string(), compose_line_table(builtin_train_table()));
    compile_context context({folder.path().string(), builtin_identity(), false});
    context.options.texts = &held;
    context.options.write_compiled_files = false;
    const compile_report report = compile_and_report(context, 0);
    EXPECT_TRUE(report.diagnostics.empty());
    return document_model_of_compile(context, sheet_header{});
}

std::vector<std::string> lines_of(const line_table& table) {
    std::vector<std::string> lines;
    for (const std::string_view line : table) {
        if (line == end_marker) {
            break;
        }
        lines.emplace_back(line);
    }
    return lines;
}

std::vector<std::size_t> bars_of(const std::string& line) {
    std::vector<std::size_t> bars;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '|') {
            bars.push_back(i);
        }
    }
    return bars;
}

std::string trimmed_right(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// Every row of a ruled table has the bars of the built-in head row, at the same offsets, and
// its width up to the last bar.
void expect_built_in_columns(const std::vector<std::string>& lines, std::size_t first,
                             std::size_t last, const std::string& built_in_head) {
    const std::vector<std::size_t> bars = bars_of(built_in_head);
    ASSERT_LT(last, lines.size());
    for (std::size_t n = first; n <= last; ++n) {
        EXPECT_EQ(bars_of(lines[n]), bars) << "line " << n + 1 << ": " << lines[n];
        EXPECT_EQ(trimmed_right(lines[n]).size(), bars.back() + 1) << "line " << n + 1;
    }
}

std::size_t row_of(const std::vector<std::string>& sheet, const std::string& place) {
    for (std::size_t n = 0; n < sheet.size(); ++n) {
        if (sheet[n].size() > 32 && sheet[n].compare(32, place.size() + 1, place + " ") == 0) {
            return n;
        }
    }
    return sheet.size();
}

TEST(GeneratedTrainSheet, BuiltinSourcesGiveEveryStationInOrderWithTheBuiltinTimes) {
    const document_model model = builtin_model();
    const std::vector<std::string> sheet = generated_train_sheet(model);
    ASSERT_EQ(model.stations.size(), 16u);
    std::size_t previous = 0;
    for (const document_station& station : model.stations) {
        const std::size_t row = row_of(sheet, station.name);
        ASSERT_LT(row, sheet.size()) << station.name;
        EXPECT_GT(row, previous) << station.name;
        previous = row;
    }
    struct timed {
        const char* station;
        const char* time;
    };
    for (const timed& t :
         {timed{"VALDORA S.M.N.", "13.25"}, timed{"VALDORA RIFREDI", "13.32"},
          timed{"EMPOLI", "13.57"}, timed{"PONTEDERA", "14.15"}, timed{"ROVA C.le", "14.29"}}) {
        const std::string& row = sheet[row_of(sheet, t.station)];
        EXPECT_EQ(row.substr(60, 16).find(t.time), row.substr(60, 16).find_first_not_of(' '))
            << row;
        EXPECT_EQ(row.find('*'), std::string::npos) << row;
    }
    // A station without a time gets the passing time of the fastest run, marked.
    EXPECT_EQ(sheet[row_of(sheet, "SIGNA")].substr(60, 16).find('*'), 11u);
}

TEST(GeneratedTrainSheet, HasTheBuiltinHeaderAndColumnsToTheByte) {
    const std::vector<std::string> built_in = lines_of(train_sheet_table());
    const std::vector<std::string> sheet = generated_train_sheet(builtin_model());
    // With the built-in values in the boxes, the header and the head of the table are the
    // built-in sheet's lines 1 to 16.
    ASSERT_GT(sheet.size(), 16u);
    for (std::size_t n = 0; n < 16; ++n) {
        EXPECT_EQ(sheet[n], built_in[n]) << "line " << n + 1;
    }
    expect_built_in_columns(sheet, 13, sheet.size() - 1, built_in[13]);
    EXPECT_EQ(sheet.back(), built_in.back());
    const std::string bytes = compose_document(sheet);
    EXPECT_TRUE(bytes.ends_with(built_in.back() + "\r\n"));
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
}

TEST(GeneratedTrainSheet, LongAndWindows1252TextsKeepTheColumns) {
    document_model model;
    model.train = "12345";
    model.stations = {{"STAZIONE CON UN NOME MOLTO PIU LUNGO DELLA COLONNA", 0, 8 * 3600},
                      {"CITT\xC0 DI PROVA", 5000, 8 * 3600 + 600}};
    model.speed_changes = {{0, 100}, {2500, 60}};
    model.references = {{3000, 103000}};
    model.cell_speeds = std::vector<int>(120, 100);
    model.header = {"INTERREGIONALE", "1250", "95", "A"};
    const std::vector<std::string> sheet = generated_train_sheet(model);
    const std::vector<std::string> built_in = lines_of(train_sheet_table());
    expect_built_in_columns(sheet, 13, sheet.size() - 1, built_in[13]);
    ASSERT_EQ(sheet.size(), 16u + 4u + 1u);
    EXPECT_EQ(sheet[4].substr(0, 22), " |  TRENO n. 12345   |");
    EXPECT_NE(sheet[4].find("|    V100 A    |"), std::string::npos);
    EXPECT_NE(sheet[5].find("|     95%      |"), std::string::npos);
    EXPECT_EQ(sheet[9], " |  INTERREGIONALE   |              |      1250T        |");
    // The kilometres count from the reference, backwards too, and the speed change row is
    // named by its kilometre.
    EXPECT_EQ(
        sheet[17],
        " |  60 |     |  102.500 |     | Km 102.500                 |      08.01*    |     |");
    EXPECT_EQ(
        sheet[18],
        " |  60 |     |  103.000 |     | Cippo chilometro 103.000   |      08.01*    |     |");
    EXPECT_EQ(
        sheet[19],
        " |  60 |     |  105.000 |     | CITT\xC0 DI PROVA             | 08.10          | 7   |");
}

TEST(GeneratedSlowdownOrder, BuiltinSourcesDifferFromTheBuiltinFormOnlyInTheStationNames) {
    const std::vector<std::string> built_in = lines_of(slowdown_order_table());
    const std::vector<std::string> order = generated_slowdown_order(builtin_model());
    ASSERT_EQ(order.size(), built_in.size());
    for (std::size_t n = 0; n < order.size(); ++n) {
        if (n == 12 || n == 13) {
            continue;
        }
        EXPECT_EQ(order[n], built_in[n]) << "line " << n + 1;
    }
    EXPECT_EQ(order[12],
              " | 1 |     EMPOLI - S.MINIATO     |     36     |    80    |   300   |   ---      |");
    EXPECT_EQ(order[13],
              " | 2 |   NAVACCHIO - ROVA C.le    |     74     |    30    |   100   |    A       |");
    expect_built_in_columns(order, 8, 33, built_in[8]);
}

TEST(GeneratedRouteNotes, GiveTheLengthEveryStationAndTheTimetable) {
    const std::vector<std::string> notes = generated_route_notes(builtin_model());
    EXPECT_EQ(notes[0], "                Treno 5284 sul percorso VALDORA S.M.N.  ROVA C.le");
    EXPECT_EQ(notes[3], " - La linea e` lunga 82.000 km e ha 16 stazioni:");
    EXPECT_EQ(notes[4], "   VALDORA S.M.N.              km        0   ore 13.25");
    EXPECT_EQ(notes[19], "   ROVA C.le                   km   80.850   ore 14.29");
    EXPECT_EQ(notes[20], " - Partenza alle 13.25, arrivo alle 14.29: l'orario da` 64 minuti.");
    for (const std::string& line : notes) {
        EXPECT_LE(line.size(), 80u) << line;
    }
    EXPECT_EQ(notes.back(), " ");
}

TEST(DocumentModel, ProgressiveKilometresCountFromTheNearestReferenceBehind) {
    const std::vector<document_reference> references = {{10000, 50000}, {2000, 1000}};
    struct km_case {
        std::int64_t position;
        std::int64_t metres;
    };
    for (const km_case& c : std::vector<km_case>{
             {0, -1000}, {2000, 1000}, {9999, 8999}, {10000, 50000}, {12345, 52345}}) {
        EXPECT_EQ(progressive_metres(references, c.position), c.metres) << c.position;
    }
    EXPECT_EQ(progressive_metres({}, 4321), 4321);
    EXPECT_EQ(kilometre_text(2760), "2.760");
    EXPECT_EQ(kilometre_text(-1000), "-1.000");
}

}  // namespace
}  // namespace scenario
