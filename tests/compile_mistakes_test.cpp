// The mistakes that authors make, each applied to one clean scenario and compiled through the
// command line: the diagnostic that tells it stands at the author's line, with its severity and
// the words that say what happened. The clean scenario gives no diagnostic at all, and every
// mistake compiles to the bytes (and the exit status) that the program gave before it told
// any of them: the warnings and the scan beyond the compiled part change nothing compiled.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/author_folder.h"
#include "support/mistake_scenario.h"

namespace scenario {
namespace {

using testing_support::author_compiled_files;
using testing_support::author_folder;
using testing_support::author_line_source;
using testing_support::author_train_source;
using testing_support::changed;
using testing_support::clean_line_lines;
using testing_support::clean_train_lines;
using testing_support::crlf_text;
using testing_support::line_change;

enum class source { line, train };

struct told {
    source file;
    int line;
    std::string head;  // what follows "FILE:LINE: ": "warning: ", "error 25: ", ...
    std::vector<std::string> phrases;
};

struct mistake {
    const char* name;
    std::vector<line_change> line_changes;
    std::vector<line_change> train_changes;
    told expected;
    int exit_status = 0;
    std::vector<std::string> options = {};

    friend void PrintTo(const mistake& m, std::ostream* out) { *out << m.name; }
};

constexpr source L = source::line;
constexpr source T = source::train;

// The mistakes, by the line of the clean scenario that each changes.
// The table keeps one mistake per block, its expected message on one line.
// clang-format off
const mistake mistakes[] = {
    // Keywords misspelt or in the wrong letter case: the record is lost, and told.
    {"MisspeltStation",
     {},
     {{13, {"stazoine,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "warning: ", {"\"stazoine\" names no record", "17 fields", "did you mean `stazione`?"}}},
    {"MisspeltGradient",
     {{15, {"pendneza  , 6000   , -3"}}},
     {},
     {L, 15, "warning: ", {"\"pendneza\" names no record", "did you mean `pendenza`?"}}},
    {"MisspeltMountain",
     {{24, {"montangna, 9000,9400,1"}}},
     {},
     {L, 24, "warning: ", {"did you mean `montagna`?"}}},
    {"MisspeltBoard",
     {{26, {"cartelo indicatore,  5000,    (  Km. ) (5.000)"}}},
     {},
     {L, 26, "warning: ", {"did you mean `cartello`?"}}},
    {"MisspeltSignal",
     {},
     {{19, {"segnal,   3000, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0"}}},
     {T, 19, "warning: ", {"did you mean `segnale`?"}}},
    {"MisspeltSlowdown",
     {},
     {{16, {"rallentameno,   7000, 60, 200, 0, 1, 0"}}},
     {T, 16, "warning: ", {"did you mean `rallentamento`?"}}},
    {"MisspeltSpeedLimit",
     {},
     {{10, {"velocta' limite ,  1500    ,  100"}}},
     {T, 10, "warning: ", {"did you mean `velocita'`?"}}},
    {"CapitalisedCabSignalling",
     {{11, {"Ripetizione segnali 4 codici,    1000,    11000"}}},
     {},
     {L, 11, "warning: ", {"names no setting", "did you mean `ripetizione`?", "lower case"}}},
    {"CapitalisedReference",
     {{6, {"Progressiva chilometrica due,    0,    100,    0"}}},
     {},
     {L, 6, "warning: ", {"did you mean `progressiva`?", "lower case"}}},
    {"CapitalisedBackground",
     {{8, {"Sfondo uno,    1"}}},
     {},
     {L, 8, "warning: ", {"did you mean `sfondo`?"}}},

    // Keys in the wrong part or file.
    {"RecordInTheGeneralPart",
     {{10, {"sfondo tre,    0", "pendenza, 300, 2"}}},
     {},
     {L, 11, "warning: ", {"names the pendenza record", "records are read only after the general part"}}},
    {"SettingInTheRecordPart",
     {{17, {"[curve]", "sfondo due, 3"}}},
     {},
     {L, 18, "warning: ", {"names the sfondo due setting", "ended at the section header on line 12"}}},
    {"TrainRecordInTheLineFile",
     {{23, {"[montagne]", "segnale, 4000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"}}},
     {},
     {L, 24, "warning: ", {"names the signal record of the train file"}}},
    {"SettingBeforeTheHeader",
     {{1, {"lunghezza percorso, 12000"}}},
     {},
     {L, 1, "warning: ", {"stands before the \"[generale]\" header"}}},
    {"ValuesWithoutTheirKey",
     {},
     {{19, {"   3000, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0"}}},
     {T, 19, "warning: ", {"this line starts with the value \"3000\"", "a record starts with its keyword"}}},

    // Values too many or too few on a line, numbers split by a comma.
    {"SurplusValue",
     {{15, {"pendenza, 6000, -3, 5"}}},
     {},
     {L, 15, "warning: ", {"the pendenza record at 6000 m takes 2 values, and its line holds 1 more", "\"5\""}}},
    {"SurplusValueInASignal",
     {},
     {{19, {"segnale,   3000, 2, 4, 0, 0, 0, 0,     2, 1, 0, 0, 0"}}},
     {T, 19, "warning: ", {"the signal record at 3000 m takes 11 values"}}},
    {"SurplusValueInAStationMovesTheName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "warning: ", {"the station record at 4500 m takes 17 values", "\"PORTO\"", "its last value, the text, is \"0\""}}},
    {"TextAfterANumber",
     {},
     {{6, {"sabbia,    300 kg"}}},
     {T, 6, "warning: ", {"the sand record takes 1 value", "\"kg\""}}},
    {"TwoRecordsOnALine",
     {{14, {"pendenza  , 2000   , 0, pendenza, 2500, 1"}}},
     {},
     {L, 14, "warning: ", {"holds 3 more", "starts a pendenza record"}}},
    {"CommentAfterARecord",
     {{14, {"pendenza  , 2000   , 0, - in galleria"}}},
     {},
     {L, 14, "warning: ", {"\"- in galleria\" is read where a keyword is expected, as a comment"}}},
    {"DecimalComma",
     {{15, {"pendenza  , 6000   , -3,5"}}},
     {},
     {L, 15, "warning: ", {"\"-3,5\" is read as two numbers, -3 and 5", "decimal comma"}}},
    {"ThousandsSeparator",
     {{4, {"lunghezza percorso,    12,000"}}},
     {},
     {L, 4, "warning: ", {"\"12,000\" is read as two numbers", "thousands separator (write 12000)"}},
     1},
    {"StationWithoutItsName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0"}}},
     {T, 13, "warning: ", {"has 16 of its 17 values on its own line", "value 17, \"stazione\", is taken from line 14"}}},
    {"RecordOnTwoLines",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0", "  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "warning: ", {"values 10 to 17 are taken from line 14", "write each record on one line"}}},
    {"MissingValueTakenFromTheNextRecord",
     {},
     {{19, {"segnale,   3000, 2, 4, 0, 0, 0,     2, 1, 0, 0"}}},
     {T, 19, "error 25: ", {"the signal record at 3000 m: its line holds only 10 of its 11 values", "taken from line 20, which holds \"segnale\""}},
     1},
    {"LineEndingWithAComma",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,", "  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "error 25: ", {"the station record at 4500 m", "the line ends with a comma"}},
     1},
    {"NumberWithADecimalPoint",
     {},
     {{13, {"stazione,   4.500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "error 25: ", {"the station record: expected a whole number, found \"4.500\""}},
     1},

    // Comments.
    {"CommentWithACommaReadAsARecord",
     {},
     {{11, {"- nota, vedi la stazione nuova"}}},
     {T, 11, "warning: ", {"this comment holds a comma", "\"vedi la stazione nuova\"", "as a station record"}},
     1},
    {"CommentWithACommaMakesTheRecordFail",
     {},
     {{11, {"- nota, vedi la stazione nuova"}}},
     {T, 11, "error 25: ", {"the station record: its line holds none of its 17 values", "taken from line 12"}},
     1},
    {"CommentWithACommaInTheLineFile",
     {{19, {"- il ponte, curva stretta"}}},
     {},
     {L, 19, "warning: ", {"this comment holds a comma", "as a curva record"}},
     1},
    {"ThirdCommentNamingARecord",
     {},
     {{17, {"- a", "- b", "- il segnale nuovo"}}},
     {T, 19, "warning: ", {"a third comment line in a row", "read as a signal record"}},
     1},

    // Texts beyond ASCII.
    {"Utf8StationName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, CITT\xC3\x80"}}},
     {T, 13, "warning: ", {"the name \"CITT\xC3\x80\" holds bytes beyond 7-bit ASCII", "it shows \"CITT\xC3\x83\xE2\x82\xAC\"", "--utf8"}}},
    {"SingleByteStationName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, CITT\xC0"}}},
     {T, 13, "warning: ", {"it shows \"CITT\xC3\x80\""}}},
    {"Utf8BoardText",
     {{26, {"cartello indicatore,  5000,    (  Km. ) (5.000) \xE2\x86\x92"}}},
     {},
     {L, 26, "warning: ", {"the cartello indicatore record at 5000 m: the text"}}},
    {"CharacterWithoutAPlaceInTheCodePage",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, \xC5\x81" "ODZ"}}},
     {T, 13, "error: ", {"holds \"\xC5\x81\" (U+0141), which has no place in Windows-1252", "nothing is written"}},
     2,
     {"--utf8"}},

    // Errors, at the author's record, and what lies beyond the compiled part.
    {"SlowdownOfLengthZero",
     {},
     {{16, {"rallentamento,   7000, 60, 0, 0, 1, 0"}}},
     {T, 16, "error 13 at 7050 m: ", {"the slowdown record at 7000 m (its start in cell 141)"}},
     1},
    {"NoCellAheadOfASignal",
     {{26, {"cartello indicatore,  5300, (a)", "cartello indicatore,  5350, (b)", "cartello indicatore,  5000,    (  Km. ) (5.000)"}}},
     {{20, {"segnale,   5400, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0", "segnale,   8500, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0"}}},
     {T, 20, "error 11 at 5450 m: ", {"the signal record at 5400 m (cell 109)", "the slowdown record at 7000 m on line 16", "the cartello indicatore record at 5300 m on line 26 of"}},
     1},
    {"NoCellAheadOfASlowdown",
     {{26, {"cartello indicatore,  6650, (a)", "cartello indicatore,  6700, (b)", "cartello indicatore,  6750, (c)", "cartello indicatore,  5000,    (  Km. ) (5.000)"}}},
     {},
     {T, 16, "error 12 at 7050 m: ", {"the slowdown record at 7000 m (its start in cell 141)", "no free cell among cells 134 to 136"}},
     1},
    {"ReferenceOffTheCells",
     {{5, {"progressiva chilometrica uno,    0,    125,    0"}}},
     {},
     {L, 5, "error 2: ", {"the progressiva chilometrica uno setting (0, 125, 0)"}},
     1},
    {"StationOffTheCellsAndTheHundreds",
     {},
     {{13, {"stazione,   4525,  2, 650,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "error 9 at 4525 m: beyond the compiled part: ", {"the length 650 m is not a multiple of 100 m"}},
     1},
    {"CabSignallingWithBothEndsOffTheCells",
     {{11, {"ripetizione segnali 4 codici,    1025,    11025"}}},
     {},
     {L, 11, "error 4: beyond the compiled part: ", {"ends at 11025 m"}},
     1},
    {"MistakeAfterAnError",
     {},
     {{13, {"stazione,   4510,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}},
      {20, {"segnale,   3000, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0"}}},
     {T, 20, "error 16 at 3000 m: beyond the compiled part: ", {"cell 61 already holds a signal"}},
     1},
    {"TrainFileBeyondALineError",
     {{24, {"montagna, 9000,9400,1", "cartello indicatore,  2500, (x)"}}},
     {{19, {"segnal,   3000, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0"}}},
     {T, 19, "warning: beyond the compiled part: ", {"did you mean `segnale`?"}},
     1},
    {"RecordBeyondTheGridLeavesTheRestToTheScan",
     {{4, {"lunghezza percorso,    1000"}}},
     {},
     {L, 24, "error 15 at 9000 m: beyond the compiled part: ", {"montagna at 9000 m lies beyond the cell grid"}},
     1},
};
// clang-format on

std::string path_of(const author_folder& folder, source file) {
    return folder.path_text(file == source::line ? author_line_source : author_train_source);
}

void write_mistake(const author_folder& folder, const mistake& m) {
    folder.write(author_line_source, crlf_text(changed(clean_line_lines(), m.line_changes)));
    folder.write(author_train_source, crlf_text(changed(clean_train_lines(), m.train_changes)));
}

std::vector<std::string> report_lines(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class Mistakes : public testing::TestWithParam<mistake> {};

TEST_P(Mistakes, AreToldAtTheAuthorsLine) {
    const mistake& m = GetParam();
    author_folder folder;
    write_mistake(folder, m);
    std::vector<std::string> args = {"compile", "--dir", folder.string(), "--route", "R",
                                     "--train", "T"};
    args.insert(args.end(), m.options.begin(), m.options.end());
    const auto result = testing_support::run_program(args);
    EXPECT_EQ(result.exit_status, m.exit_status) << result.standard_error;

    const std::string start = path_of(folder, m.expected.file) + ":" +
                              std::to_string(m.expected.line) + ": " + m.expected.head;
    bool found = false;
    for (const std::string& line : report_lines(result.standard_error)) {
        if (!line.starts_with(start)) {
            continue;
        }
        bool all = true;
        for (const std::string& phrase : m.expected.phrases) {
            all = all && line.find(phrase) != std::string::npos;
        }
        found = found || all;
    }
    EXPECT_TRUE(found) << "no line starts with \"" << start << "\" and holds every phrase:\n"
                       << result.standard_error;
}

INSTANTIATE_TEST_SUITE_P(Authors, Mistakes, testing::ValuesIn(mistakes),
                         [](const testing::TestParamInfo<mistake>& info) {
                             return std::string(info.param.name);
                         });

TEST(CleanScenario, CompilesWithoutAnyDiagnostic) {
    author_folder folder;
    folder.write_sources(clean_line_lines(), clean_train_lines());
    for (const std::initializer_list<std::string> options :
         {std::initializer_list<std::string>{"--werror"},
          {"--werror", "--no-line"},
          {"--werror", "--utf8"}}) {
        const auto result = folder.compile(options);
        EXPECT_EQ(result.exit_status, 0);
        EXPECT_EQ(result.standard_error, "");
    }
}

// The compiled bytes and exit status of every mistake, as the reference program gave them:
// "NAME STATUS FILE=DIGEST ...", one line a mistake, a digest for each compiled file written.
std::string expected_file_path() {
    return std::string(SCENARIO_TEST_DATA_DIR) + "/mistakes_compiled.txt";
}

std::string compiled_record(const std::string& program, const mistake& m) {
    author_folder folder;
    write_mistake(folder, m);
    const auto result = testing_support::run_program_at(
        program, {"compile", "--dir", folder.string(), "--route", "R", "--train", "T"});
    std::string record = std::string(m.name) + " " + std::to_string(result.exit_status);
    for (const char* name : author_compiled_files) {
        if (folder.holds(name)) {
            char digest[17];
            std::snprintf(
                digest, sizeof digest, "%016llx",
                static_cast<unsigned long long>(testing_support::fnv1a_64(folder.read(name))));
            record += std::string(" ") + name + "=" + digest;
        }
    }
    return record;
}

// With SCENARIO_REFERENCE_PROGRAM set, the expected file is written afresh from that program
// (tests/data/regenerate-mistakes.sh); otherwise the program under test is compared with it.
TEST(Mistakes, CompileToTheBytesOfTheReferenceProgram) {
    if (const char* reference = std::getenv("SCENARIO_REFERENCE_PROGRAM"); reference != nullptr) {
        std::ofstream out(expected_file_path(), std::ios::binary);
        for (const mistake& m : mistakes) {
            if (m.options.empty()) {
                out << compiled_record(reference, m) << "\n";
            }
        }
        GTEST_SKIP() << "wrote " << expected_file_path() << " from " << reference;
    }
    std::map<std::string, std::string> expected;
    std::ifstream in(expected_file_path());
    for (std::string line; std::getline(in, line);) {
        expected[line.substr(0, line.find(' '))] = line;
    }
    for (const mistake& m : mistakes) {
        if (!m.options.empty()) {
            continue;  // --utf8 is new: the reference program has no such option
        }
        ASSERT_TRUE(expected.count(m.name)) << m.name << " is not in " << expected_file_path();
        EXPECT_EQ(compiled_record(SCENARIO_BUILDER_EXE, m), expected[m.name]);
    }
}

}  // namespace
}  // namespace scenario
