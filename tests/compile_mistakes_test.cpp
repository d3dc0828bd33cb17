// The mistakes that authors make, each applied to one clean scenario and compiled through the
// command line: the diagnostic that tells it stands at the author's line, with its severity and
// the words that say what happened. The clean scenario gives no diagnostic at all, and every
// mistake compiles to the bytes (and the exit status) that the program gave before it told
// any of them: the warnings and the scan beyond the compiled part change nothing compiled.
// Only a mistake that loses a whole part of the scenario (a train file that yields nothing)
// changes the exit status, from 0 to 1, and not a byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
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

// How a mistake's file is saved, when that is the mistake.
enum class saving { single_bytes, utf16_with_mark, utf16_without_mark, utf8_with_mark };

struct saved_file {
    source file = source::train;
    saving as = saving::single_bytes;
};

struct mistake {
    const char* name;
    std::vector<line_change> line_changes;
    std::vector<line_change> train_changes;
    told expected;
    int exit_status = 0;
    std::vector<std::string> options = {};
    saved_file saved = {};
    // A whole part of the scenario is lost: an error without a code of the compiled scenario,
    // exit status 1 where the program without the check ended with 0, the same bytes.
    bool loses_a_part = false;

    friend void PrintTo(const mistake& m, std::ostream* out) { *out << m.name; }
};

constexpr source L = source::line;
constexpr source T = source::train;
// A file as a whole, not one of its lines.
constexpr int whole_file = 0;

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
     {L, 24, "warning: ", {"names the segnale record of the train file"}}},
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
     {T, 19, "warning: ", {"the segnale record at 3000 m takes 11 values"}}},
    {"SurplusValueInAStationMovesTheName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "warning: ", {"the stazione record at 4500 m takes 17 values", "\"PORTO\"", "its last value, the text, is \"0\""}}},
    {"TextAfterANumber",
     {},
     {{6, {"sabbia,    300 kg"}}},
     {T, 6, "warning: ", {"the sabbia record takes 1 value", "\"kg\""}}},
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
     {T, 19, "error 25: ", {"the segnale record at 3000 m: its line holds only 10 of its 11 values", "taken from line 20, which holds \"segnale\""}},
     1},
    {"LineEndingWithAComma",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,", "  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "error 25: ", {"the stazione record at 4500 m", "the line ends with a comma"}},
     1},
    {"NumberWithADecimalPoint",
     {},
     {{13, {"stazione,   4.500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}},
     {T, 13, "error 25: ", {"the stazione record: expected a whole number, found \"4.500\""}},
     1},

    // Comments.
    {"CommentWithACommaReadAsARecord",
     {},
     {{11, {"- nota, vedi la stazione nuova"}}},
     {T, 11, "warning: ", {"this comment holds a comma", "\"vedi la stazione nuova\"", "as a stazione record"}},
     1},
    {"CommentWithACommaMakesTheRecordFail",
     {},
     {{11, {"- nota, vedi la stazione nuova"}}},
     {T, 11, "error 25: ", {"the stazione record: its line holds none of its 17 values", "taken from line 12"}},
     1},
    {"CommentWithACommaInTheLineFile",
     {{19, {"- il ponte, curva stretta"}}},
     {},
     {L, 19, "warning: ", {"this comment holds a comma", "as a curva record"}},
     1},
    {"ThirdCommentNamingARecord",
     {},
     {{17, {"- a", "- b", "- il segnale nuovo"}}},
     {T, 19, "warning: ", {"a third comment line in a row", "read as a segnale record"}},
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
    {"EscapeInStationName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, CITTA\x1b[2J"}}},
     {T, 13, "warning: ", {"the name \"CITTA\\x1b[2J\" holds a control character", "byte 0x1B, at its character 6", "[text-control]"}}},
    {"BellsInBoardText",
     {{26, {"cartello indicatore,  5000,    (  Km. ) \a(5.000)\a"}}},
     {},
     {L, 26, "warning: ", {"the text", "holds 2 control characters", "byte 0x07"}}},
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
     {T, 16, "error 13 at 7050 m: ", {"the rallentamento record at 7000 m (its start in cell 141)"}},
     1},
    {"NoCellAheadOfASignal",
     {{26, {"cartello indicatore,  5300, (a)", "cartello indicatore,  5350, (b)", "cartello indicatore,  5000,    (  Km. ) (5.000)"}}},
     {{20, {"segnale,   5400, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0", "segnale,   8500, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0"}}},
     {T, 20, "error 11 at 5450 m: ", {"the segnale record at 5400 m (cell 109)", "the rallentamento record at 7000 m on line 16", "the cartello indicatore record at 5300 m on line 26 of"}},
     1},
    {"NoCellAheadOfASlowdown",
     {{26, {"cartello indicatore,  6650, (a)", "cartello indicatore,  6700, (b)", "cartello indicatore,  6750, (c)", "cartello indicatore,  5000,    (  Km. ) (5.000)"}}},
     {},
     {T, 16, "error 12 at 7050 m: ", {"the rallentamento record at 7000 m (its start in cell 141)", "no free cell among cells 134 to 136"}},
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
     {L, 24, "error 15 at 9000 m: beyond the compiled part: ", {"the montagna record at 9000 m lies beyond the cell grid"}},
     1},

    // Whole files that yield nothing: told once, at the file.
    {"TrainFileSavedAsUtf16",
     {},
     {},
     {T, whole_file, "error: ", {"saved as UTF-16 (little-endian)", "nothing in it is read", "save it as Windows-1252 or ASCII", "[utf16-source]"}},
     1, {}, {T, saving::utf16_with_mark}, true},
    {"TrainFileSavedAsUtf16WithoutMark",
     {},
     {},
     {T, whole_file, "error: ", {"saved as UTF-16", "[utf16-source]"}},
     1, {}, {T, saving::utf16_without_mark}, true},
    {"LineFileSavedAsUtf16",
     {},
     {},
     {L, whole_file, "error 102: ", {"saved as UTF-16", "its \"[generale]\" header cannot be found"}},
     2, {}, {L, saving::utf16_with_mark}},
    {"TrainFileSavedWithAByteOrderMark",
     {},
     {},
     {T, 1, "warning: ", {"saved as UTF-8 with a byte-order mark", "[byte-order-mark]"}},
     0, {}, {T, saving::utf8_with_mark}},
    {"MisspeltTrainHeader",
     {},
     {{3, {"[generle]"}}},
     {T, whole_file, "error: ", {"has no \"[generale]\" header", "did you mean \"[generle]\" at line 3?", "[no-general-header]"}},
     1, {}, {}, true},
    {"MisspeltLineHeader",
     {{3, {"[generael]"}}},
     {},
     {L, whole_file, "error 102: ", {"did you mean \"[generael]\" at line 3?"}},
     2},
    {"TrainFileWithoutRecords",
     {},
     {{4, {}}, {5, {}}, {6, {}}, {7, {}}, {8, {}}, {9, {}}, {10, {}}, {11, {}}, {12, {}}, {13, {}}, {14, {}}, {15, {}}, {16, {}}, {17, {}}, {18, {}}, {19, {}}, {20, {}}},
     {T, whole_file, "error: ", {"holds no record after its \"[generale]\" header", "[no-train-records]"}},
     1, {}, {}, true},
    {"LineRecordsWithoutASectionHeader",
     {{12, {""}}, {17, {""}}, {21, {""}}, {23, {""}}, {25, {""}}, {27, {""}}},
     {},
     {L, whole_file, "error: ", {"general part runs to its end", "none of its 9 records is read", "[no-record-part]"}},
     1, {}, {}, true},
    {"UnclosedSectionHeader",
     {{12, {"[pendenze"}}},
     {},
     {L, 12, "warning: ", {"has no closing \"]\"", "does not end the general part", "[unclosed-header]"}}},

    // Values that no line or train can have.
    {"ClockMinutesOf60OrMore",
     {},
     {{7, {"orologio,    8  75  0"}}},
     {T, 7, "warning: ", {"orologio 8 75 0 is not a time of day", "[clock-time]"}}},
    // The timetable against the line: 4500 m take 3 min 18 s at 60 and 100 km/h, and the
    // run must start before the first station's time.
    {"StartClockAfterFirstDeparture",
     {},
     {{7, {"orologio,    8  16  0"}}},
     {T, 12, "warning: ", {"its time 08:15:00 is before the start clock 08:16:00", "[clock-after-departure]"}}},
    {"TimeThatNoTrainCanKeep",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,17, 0, PORTO"}}},
     {T, 13, "warning: ", {"allows 2 min 0 s from 08:15:00 at the station at 0 m (LAGO) to 08:17:00", "the fastest run takes 3 min 18 s", "give this station 08:18:18 or later", "[time-cannot-be-kept]"}}},
    {"TimesGoingBackwards",
     {},
     {{14, {"stazione,  10000,  2, 600,  1, 0, 0,   1,1,0,  4,1,1,  0,  8,19, 0, MONTE"}}},
     {T, 14, "warning: ", {"its time 8:19:00 is earlier than 8:20:00", "[timetable-order]"}}},
    {"StationHoursOf24OrMore",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  25,20, 0, PORTO"}}},
     {T, 13, "warning: ", {"the time 25:20:0 is not a time of day", "[station-time]"}}},
    {"SpeedLimitOfZero",
     {},
     {{10, {"velocita' limite ,  1500    ,  0"}}},
     {T, 10, "warning: ", {"the velocita' limite record at 1500 m: a speed of 0 km/h", "[speed-value]"}}},
    {"SpeedLimitFarAboveTheBoards",
     {},
     {{10, {"velocita' limite ,  1500    ,  1000"}}},
     {T, 10, "warning: ", {"1000 km/h is far above the fastest speed on the line's boards, 100 km/h"}}},
    {"SlowdownSpeedAndLengthSwapped",
     {},
     {{16, {"rallentamento,   7000, 500, 50, 0, 1, 0"}}},
     {T, 16, "warning: ", {"500 km/h is far above", "the speed and the length written the other way round"}}},
    {"GeneralValueNeverSet",
     {},
     {{4, {}}},
     {T, 3, "warning: ", {"never sets numero vetture (0 coaches)", "[value-not-set]"}}},
    {"GeneralValueSetTwice",
     {},
     {{6, {"sabbia,    300", "sabbia,    200"}}},
     {T, 7, "warning: ", {"sabbia is set again", "replaces the one set on line 6", "[setting-repeated]"}}},
    {"EmptyStationName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, "}}},
     {T, 13, "warning: ", {"the name is empty", "[station-name]"}}},
    {"DuplicatedStationName",
     {},
     {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, LAGO"}}},
     {T, 13, "warning: ", {"the name \"LAGO\" is the name of the station at 0 m too"}}},
    {"StationPastTheEndOfTheLine",
     {},
     {{14, {"stazione,  11900,  2, 600,  1, 0, 0,   1,1,0,  4,1,1,  0,  8,27, 0, MONTE"}}},
     {T, 14, "warning: ", {"its area reaches 12200 m, past the end of the line at 12000 m", "[beyond-line-end]"}}},
    {"BoardPastTheEndOfTheLine",
     {{26, {"cartello indicatore,  12500,    (  Km. ) (5.000)"}}},
     {},
     {L, 26, "warning: ", {"the cartello indicatore record at 12500 m stands past the end of the line"}}},
    {"MountainKindOutsideTheGuide",
     {{24, {"montagna, 9000,9400,5"}}},
     {},
     {L, 24, "warning: ", {"kind 5 is none of 1, 2 and 3", "[mountain-kind]"}}},
    {"BoardFaceWithStripesButNoSpeed",
     {{22, {"indicatori_vmax, 2500, 0, 0, 0, 2, 90, 95, 100, 0"}}},
     {},
     {L, 22, "warning: ", {"the left face has strisces 2 but no speed", "[board-face]"}}},
    {"MountainEndBeforeItsStart",
     {{24, {"montagna, 9400,9000,1"}}},
     {},
     {L, 24, "warning: ", {"the end comes before the start", "[end-before-start]"}}},
    {"CabSignallingEndBeforeItsStart",
     {{11, {"ripetizione segnali 4 codici,    11000,    1000"}}},
     {},
     {L, 11, "warning: ", {"ripetizione segnali from 11000 m to 1000 m: the end comes before the start"}}},
    {"TwoReferencesAtOnePosition",
     {{5, {"progressiva chilometrica uno,    3000,    0,    0"}}, {6, {"progressiva chilometrica due,    3000,    100,    0"}}},
     {},
     {L, 6, "warning: ", {"stands at 3000 m, like progressiva chilometrica uno", "a tie for the greatest clears all three", "[reference-position]"}}},
    {"ReferenceKeyGivenTwice",
     {{6, {"progressiva chilometrica uno,    3000,    100,    0"}}},
     {},
     {L, 6, "warning: ", {"progressiva chilometrica uno is given again", "given on line 5, which are lost"}}},
    {"LineLengthInKilometres",
     {{4, {"lunghezza percorso,    12"}}},
     {},
     {L, 4, "warning: ", {"lunghezza percorso is 12 m, far shorter than the records that follow", "write 12000", "[length-unit]"}},
     1},

    // Records that overlap or vanish, told at the record that caused it.
    {"SlowdownInsideAnother",
     {},
     {{16, {"rallentamento,   7000, 60, 1000, 0, 1, 0", "rallentamento,   7500, 60, 200, 0, 1, 0"}}},
     {T, 17, "warning: ", {"the rallentamento record at 7500 m begins inside the slowdown at 7000 m (7000 to 8000 m)", "[slowdown-overlap]"}}},
    {"SlowdownEndWrittenAsItsLength",
     {},
     {{16, {"rallentamento,   7000, 60, 7300, 0, 1, 0"}}},
     {T, 16, "warning: ", {"the length 7300 m is greater than the start", "write the length 300", "[length-like-position]"}}},
    {"CurveEndWrittenAsItsLength",
     {{20, {"curvad4,  8000,  8300"}}},
     {},
     {L, 20, "warning: ", {"the curva record at 8000 m: the length 8300 m is greater than the start", "write the length 300"}}},
    {"StationEndReplacesABoard",
     {{26, {"cartello indicatore,  4750, (x)", "cartello indicatore,  5000,    (  Km. ) (5.000)"}}},
     {},
     {T, 13, "warning: ", {"its end cell 96 held an indicator board", "that object is lost", "[overwritten]"}}},
    {"AuthorsPointLoweredByTheCompile",
     {},
     {{20, {"segnale,   5400, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0", "abbattimento, 5400, 200", "abbattimento, 5350, 150", "segnale,   8500, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0"}}},
     {T, 21, "warning: ", {"the abbattimento record at 5400 m (cell 108): its value 200 is lowered to 180"}}},
    {"GridPassErrorStandsAtTheSlowdownItFollowed",
     {{26, {"cartello indicatore,  7850, (a)", "cartello indicatore,  7900, (b)", "cartello indicatore,  5000,    (  Km. ) (5.000)"}}},
     {{16, {"rallentamento,   7000, 60, 1000, 0, 1, 0", "rallentamento,   7500, 60, 200, 0, 1, 0"}},
      {20, {"segnale,   7950, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0", "segnale,   8500, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0"}}},
     {T, 16, "error 13 at 7750 m: ", {"the rallentamento record at 7000 m (its start in cell 141), followed to the end in cell 155"}},
     1},

    // Keywords that match by surprise.
    {"CurveKeyWithANote",
     {{20, {"curvad4 del ponte sul Rio,  8000,  300"}}},
     {},
     {L, 20, "warning: ", {"holds more than the keyword", "read as a curve to the left, because it holds an \"s\" (in \"sul\")", "[keyword-match]"}}},
    {"KeyNamingTwoRecords",
     {},
     {{10, {"velocita' limite aderenza, 1500, 100, 1500, 100"}}},
     {T, 10, "warning: ", {"names both the velocita' limite record and the aderenza record"}}},
    {"CabSignallingKeyWithBothCodeCounts",
     {{11, {"ripetizione segnali 4 codici 9,    1000,    11000"}}},
     {},
     {L, 11, "warning: ", {"holds both 4 and 9: the 4 counts"}}},

    // Messages that name what cannot be seen.
    {"NoBreakSpaceAfterANumber",
     {{13, {"pendenza  , 500\xA0, 4"}}},
     {},
     {L, 13, "error 25: ", {"it holds a no-break space (the byte A0 in Windows-1252)"}},
     1},
};
// clang-format on

std::string path_of(const author_folder& folder, source file) {
    return folder.path_text(file == source::line ? author_line_source : author_train_source);
}

// The text as an editor saves it: UTF-16 little-endian, two bytes for each (ASCII) byte.
std::string saved_text(const std::string& text, saving as) {
    switch (as) {
        case saving::single_bytes:
            return text;
        case saving::utf8_with_mark:
            return "\xEF\xBB\xBF" + text;
        case saving::utf16_with_mark:
        case saving::utf16_without_mark: {
            std::string wide = as == saving::utf16_with_mark ? "\xFF\xFE" : "";
            for (const char c : text) {
                wide += c;
                wide += '\0';
            }
            return wide;
        }
    }
    return text;
}

void write_mistake(const author_folder& folder, const mistake& m) {
    const std::string line = crlf_text(changed(clean_line_lines(), m.line_changes));
    const std::string train = crlf_text(changed(clean_train_lines(), m.train_changes));
    folder.write(author_line_source,
                 m.saved.file == source::line ? saved_text(line, m.saved.as) : line);
    folder.write(author_train_source,
                 m.saved.file == source::train ? saved_text(train, m.saved.as) : train);
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

    const std::string start =
        path_of(folder, m.expected.file) +
        (m.expected.line == whole_file ? "" : ":" + std::to_string(m.expected.line)) + ": " +
        m.expected.head;
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

const mistake& mistake_named(std::string_view name) {
    for (const mistake& m : mistakes) {
        if (m.name == name) {
            return m;
        }
    }
    throw std::invalid_argument(std::string(name));
}

// A compile with many errors ends with one line that counts them and gives the error state
// that the compiled files hold; `check` says what they would hold.
TEST(ManyErrors, EndWithOneLineThatCountsThemAndGivesTheErrorState) {
    author_folder folder;
    write_mistake(folder, mistake_named("GridPassErrorStandsAtTheSlowdownItFollowed"));
    for (const std::string command : {"compile", "check"}) {
        const auto result = testing_support::run_program(
            {command, "--dir", folder.string(), "--route", "R", "--train", "T"});
        EXPECT_EQ(result.exit_status, 1);
        const std::vector<std::string> lines = report_lines(result.standard_error);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(),
                  "scenario-builder " + command + ": 2 errors and 1 warning; the " +
                      (command == "compile" ? "compiled files hold" : "compiled files would hold") +
                      " error code 13 and position 7750 m");
    }
}

TEST(ManyErrors, OneErrorEndsWithoutACount) {
    author_folder folder;
    write_mistake(folder, mistake_named("SlowdownOfLengthZero"));
    const auto result = folder.compile();
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.standard_error.find(" errors and "), std::string::npos)
        << result.standard_error;
}

// The name of a source file given where the route or the train is asked for: the compile
// writes nothing and says which name was meant.
TEST(SourceNames, GivenForTheRouteOrTheTrainAreToldWhatWasMeant) {
    author_folder folder;
    folder.write_sources(clean_line_lines(), clean_train_lines());
    const struct {
        std::string route;
        std::string train;
        std::string told;
    } cases[] = {
        {"R", "T-", "did you mean --train T?"},
        {"R", "T-.txt", "did you mean --train T?"},
        {"R", "R_T-", "did you mean --train T?"},
        {"R_linea.txt", "T", "did you mean --route R?"},
        {"R_linea", "T", "did you mean --route R?"},
    };
    for (const auto& c : cases) {
        const auto result = testing_support::run_program(
            {"compile", "--dir", folder.string(), "--route", c.route, "--train", c.train});
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_NE(result.standard_error.find("nothing was written"), std::string::npos);
        EXPECT_NE(result.standard_error.find(c.told), std::string::npos)
            << c.route << " " << c.train << ": " << result.standard_error;
    }
    // A train that is simply not there is named, without a guess.
    const auto missing = testing_support::run_program(
        {"compile", "--dir", folder.string(), "--route", "R", "--train", "U"});
    EXPECT_EQ(missing.standard_error.find("did you mean"), std::string::npos);
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
        std::string reference = expected[m.name];
        if (m.loses_a_part) {
            // The bytes are the reference's; only the exit status says that a part is lost.
            const std::string success = std::string(m.name) + " 0";
            ASSERT_TRUE(reference.starts_with(success)) << reference;
            reference.replace(0, success.size(), std::string(m.name) + " 1");
        }
        EXPECT_EQ(compiled_record(SCENARIO_BUILDER_EXE, m), reference);
    }
}

}  // namespace
}  // namespace scenario
