// The author's work is never destroyed by a built-in command: `sources` and `build` refuse to
// write over a file of theirs that holds other content, and write nothing at all, unless told
// to with --force. The no-argument build in the program's own folder replaces its files as it
// always has.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/byte_compare.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// A built-in file as its author edited it: one more line at the end.
std::string edited(const std::string& name) {
    return expected_bytes(name) + "; my own change\r\n";
}

std::set<std::string> names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

struct refusal_case {
    const char* name;
    const char* command;
    std::vector<std::string> edited_files;
    std::string message;  // DIR stands for the folder
};

void PrintTo(const refusal_case& c, std::ostream* out) {
    *out << c.name;
}

class Refusal : public testing::TestWithParam<refusal_case> {};

TEST_P(Refusal, NamesTheFileWritesNothingAndKeepsTheEdit) {
    const refusal_case& c = GetParam();
    // The folder's own name holds the message's placeholder, as mkdtemp may make it do.
    temporary_folder folder("scenario-test-DIR-");
    for (const std::string& name : c.edited_files) {
        put_file(folder.path() / name, edited(name));
    }
    const std::set<std::string> before = names_in(folder.path());

    const program_result result = run_program({c.command, "--dir", folder.string()});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, replace_every(c.message, "DIR", folder.string()) + "\n");
    for (const std::string& name : c.edited_files) {
        EXPECT_EQ(read_text_file(folder.path() / name), edited(name)) << name;
    }
    EXPECT_EQ(names_in(folder.path()), before) << "nothing is written, the lock file is gone";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Refusal,
    testing::Values(
        refusal_case{"SourcesOverAnEditedLineSource",
                     "sources",
                     {line_source_file},
                     "scenario-builder: not overwriting DIR/Valdora_Rova_linea.txt, which holds "
                     "other content: nothing was written (--force overwrites it)"},
        refusal_case{"SourcesOverBothEditedSources",
                     "sources",
                     {line_source_file, train_source_file},
                     "scenario-builder: not overwriting DIR/Valdora_Rova_linea.txt and "
                     "DIR/Valdora_Rova_5284-.txt, which hold other content: nothing was written "
                     "(--force overwrites them)"},
        // The build would write the source and delete it after compiling.
        refusal_case{"BuildOverAnEditedTrainSource",
                     "build",
                     {train_source_file},
                     "scenario-builder: not overwriting DIR/Valdora_Rova_5284-.txt, which holds "
                     "other content: nothing was written (--force overwrites it, and the build "
                     "deletes the two sources after compiling)"},
        refusal_case{"BuildOverAnEditedDocument",
                     "build",
                     {train_sheet_file},
                     "scenario-builder: not overwriting DIR/Valdora_Rova_5284_scheda_treno.txt, "
                     "which holds other content: nothing was written (--force overwrites it, and "
                     "the build deletes the two sources after compiling)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AuthorWork, FilesWithTheBuiltinContentAreWrittenAgain) {
    temporary_folder folder;
    for (const std::string& name : {line_source_file, train_source_file, route_notes_file}) {
        put_file(folder.path() / name, expected_bytes(name));
    }
    const program_result sources = run_program({"sources", "--dir", folder.string()});
    EXPECT_EQ(sources.exit_status, 0) << sources.standard_error;
    const program_result build = run_program({"build", "--dir", folder.string()});
    EXPECT_EQ(build.exit_status, 0) << build.standard_error;
    EXPECT_TRUE(fs::exists(folder.path() / grid_file));
}

TEST(AuthorWork, CompiledFilesAreReplacedByTheBuild) {
    // They are made from sources, never edited; the build writes them as `compile` does.
    temporary_folder folder;
    put_file(folder.path() / grid_file, "an earlier compile\n");
    const program_result result = run_program({"build", "--dir", folder.string()});
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_TRUE(same_bytes(read_text_file(folder.path() / grid_file), expected_bytes(grid_file)));
}

TEST(AuthorWork, ForceOverwrites) {
    temporary_folder folder;
    put_file(folder.path() / line_source_file, edited(line_source_file));
    const program_result sources = run_program({"sources", "--dir", folder.string(), "--force"});
    EXPECT_EQ(sources.exit_status, 0) << sources.standard_error;
    EXPECT_TRUE(same_bytes(read_text_file(folder.path() / line_source_file),
                           expected_bytes(line_source_file)));

    put_file(folder.path() / train_source_file, edited(train_source_file));
    put_file(folder.path() / route_notes_file, edited(route_notes_file));
    const program_result build = run_program({"build", "--dir", folder.string(), "--force"});
    EXPECT_EQ(build.exit_status, 0) << build.standard_error;
    EXPECT_FALSE(fs::exists(folder.path() / train_source_file));
    EXPECT_TRUE(same_bytes(read_text_file(folder.path() / route_notes_file),
                           expected_bytes(route_notes_file)));
}

TEST(AuthorWork, BuildInTheProgramsOwnFolderReplacesItsFilesAsAlways) {
    temporary_folder folder;
    const fs::path program = folder.path() / "scenario-builder";
    fs::copy_file(SCENARIO_BUILDER_EXE, program);
    for (const std::string& name : {line_source_file, train_source_file, route_notes_file}) {
        put_file(folder.path() / name, edited(name));
    }
    const program_result result = run_program_at(program.string(), {});
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
    EXPECT_FALSE(fs::exists(folder.path() / line_source_file));
    EXPECT_FALSE(fs::exists(folder.path() / train_source_file));
    EXPECT_TRUE(same_bytes(read_text_file(folder.path() / route_notes_file),
                           expected_bytes(route_notes_file)));
    EXPECT_TRUE(same_bytes(read_text_file(folder.path() / grid_file), expected_bytes(grid_file)));
}

TEST(AuthorWork, HelpSaysWhatIsRefusedAndWhatForceDoes) {
    struct help_case {
        const char* command;
        std::vector<std::string> phrases;
    };
    for (const help_case& c : {
             help_case{"sources",
                       {"--force", "Overwrite a source file in DIR that holds other content",
                        "without --force the command refuses (exit status 2), names the file and "
                        "writes nothing"}},
             help_case{
                 "build",
                 {"--force", "Overwrite a source or document in DIR that holds other content",
                  // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one sentence of the help
                  "without --force the build refuses (exit status 2), names the file and "
                  "writes nothing",
                  "The compiled files are replaced", "a run waits while another writes there"}},
         }) {
        const program_result result = run_program({c.command, "--help"});
        EXPECT_EQ(result.exit_status, 0);
        // CLI11 wraps the footer at its own width: compare with the line breaks as spaces.
        std::string help = result.standard_output;
        for (char& ch : help) {
            ch = ch == '\n' ? ' ' : ch;
        }
        for (const std::string& phrase : c.phrases) {
            EXPECT_NE(help.find(phrase), std::string::npos) << c.command << ": " << phrase;
        }
    }
}

}  // namespace
}  // namespace scenario
