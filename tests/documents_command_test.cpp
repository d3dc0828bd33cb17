// `documents` on an author's folder: it compiles the sources as `check` does, writes the three
// documents made from them, keeps the author's own route notes, and never overwrites an edited
// document without --force.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/author_folder.h"
#include "support/mistake_scenario.h"

namespace scenario {
namespace {

using testing_support::author_folder;
using testing_support::changed;
using testing_support::clean_line_lines;
using testing_support::clean_train_lines;
using testing_support::program_result;
using testing_support::run_program;

const std::string sheet = "R_T_scheda_treno.txt";
const std::string order = "R_T_rallentamenti.txt";
const std::string notes = "R_T_note.txt";

program_result make_documents(const author_folder& folder, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"documents", "--dir", folder.string(), "--route", "R",
                                     "--train",   "T"};
    args.insert(args.end(), more.begin(), more.end());
    return run_program(args);
}

std::vector<std::string> lines_of(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = bytes.find("\r\n"); end != std::string::npos;
         end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "the last line ends without CR LF";
    return lines;
}

TEST(DocumentsCommand, WritesTheThreeDocumentsOfTheAuthorsScenario) {
    author_folder folder;
    folder.write_sources(clean_line_lines(), clean_train_lines());
    const program_result result =
        make_documents(folder, {"--class", "DIRETTO", "--mass", "200", "--rank", "A"});
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");

    const std::vector<std::string> train_sheet = lines_of(folder.read(sheet));
    ASSERT_GT(train_sheet.size(), 16u);
    EXPECT_EQ(
        train_sheet[4],
        " |    TRENO n. T     |                da: LAGO                      |    V100 A    |");
    EXPECT_EQ(
        train_sheet[5],
        " |___________________|                 a: MONTE                     |     110%     |");
    EXPECT_EQ(train_sheet[9], " |      DIRETTO      |              |      200T         |");
    EXPECT_EQ(
        train_sheet[16],
        " |  60 |     |    0     |     | LAGO                       |          08.15 |     |");
    EXPECT_EQ(
        train_sheet[18],
        " | 100 |     |    4.500 |     | PORTO                      |          08.20 | 1.7 |");
    EXPECT_EQ(
        train_sheet[19],
        " | 100 |     |   10.000 |     | MONTE                      | 08.27          | 3.6 |");

    const std::vector<std::string> slowdowns = lines_of(folder.read(order));
    EXPECT_EQ(slowdowns[4], "  Linea  R");
    EXPECT_EQ(slowdowns[12],
              " | 1 |       PORTO - MONTE        |     7      |    60    |   200   |   ---      |");
    EXPECT_NE(folder.read(notes).find(" - La linea e` lunga 12.000 km e ha 3 stazioni:\r\n"),
              std::string::npos);
}

TEST(DocumentsCommand, GivesTheCompilesDiagnosticsAndExitStatus) {
    author_folder folder;
    folder.write_sources(
        clean_line_lines(),
        changed(
            clean_train_lines(),
            {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,17, 0, PORTO"}}}));
    program_result result = make_documents(folder);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_NE(result.standard_error.find("R_T-.txt:13: warning: "), std::string::npos);
    EXPECT_NE(result.standard_error.find("[time-cannot-be-kept]"), std::string::npos);
    EXPECT_NE(lines_of(folder.read(sheet))[18].find("| -1.3|"), std::string::npos);

    folder.write("R_linea.txt", "no general part here\r\n");
    const std::string before = folder.read(sheet);
    result = make_documents(folder, {"--force"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(folder.read(sheet), before);
}

TEST(DocumentsCommand, RefusesToOverwriteAnEditedDocumentAndWritesNothing) {
    author_folder folder;
    folder.write_sources(clean_line_lines(), clean_train_lines());
    ASSERT_EQ(make_documents(folder).exit_status, 0);
    // The same documents are written again without a word.
    ASSERT_EQ(make_documents(folder).exit_status, 0);

    const std::string edited = folder.read(sheet) + "  Note mie\r\n";
    folder.write(sheet, edited);
    std::filesystem::remove(folder.file(order));
    const program_result refused = make_documents(folder);
    EXPECT_EQ(refused.exit_status, 2);
    EXPECT_NE(refused.standard_error.find(folder.path_text(sheet)), std::string::npos);
    EXPECT_NE(refused.standard_error.find("--force"), std::string::npos);
    EXPECT_EQ(folder.read(sheet), edited);
    EXPECT_FALSE(folder.holds(order));

    EXPECT_EQ(make_documents(folder, {"--force"}).exit_status, 0);
    EXPECT_NE(folder.read(sheet), edited);
    EXPECT_TRUE(folder.holds(order));
}

TEST(DocumentsCommand, KeepsTheAuthorsRouteNotesUnlessForced) {
    author_folder folder;
    folder.write_sources(clean_line_lines(), clean_train_lines());
    folder.write(notes, "Le mie note\r\n");
    const program_result kept = make_documents(folder);
    EXPECT_EQ(kept.exit_status, 0);
    EXPECT_NE(kept.standard_error.find("route notes are written only when there are none"),
              std::string::npos);
    EXPECT_EQ(folder.read(notes), "Le mie note\r\n");
    EXPECT_TRUE(folder.holds(sheet));

    EXPECT_EQ(make_documents(folder, {"--force"}).exit_status, 0);
    EXPECT_TRUE(
        folder.read(notes).starts_with("                Treno T sul percorso LAGO  MONTE\r\n"));
}

TEST(DocumentsCommand, RefusesHeaderValuesThatDoNotFit) {
    author_folder folder;
    folder.write_sources(clean_line_lines(), clean_train_lines());
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--rank", "AB"},
             {"--rank", "1"},
             {"--class", "\xE2\x82\xAC\xE2\x80\xA0\xF0\x9F\x9A\x82"},
             {"--mass", "-3"}}) {
        const program_result result = make_documents(folder, options);
        EXPECT_NE(result.exit_status, 0) << options[0] << " " << options[1];
        EXPECT_FALSE(folder.holds(sheet)) << options[0] << " " << options[1];
    }
}

}  // namespace
}  // namespace scenario
