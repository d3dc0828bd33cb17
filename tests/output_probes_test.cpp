// Probes of what the commands print, through the real program: output that cannot be written
// (a full device, a closed standard output, a file-size limit) ends with exit status 2 and a
// message, never as a success; and texts from files (station names, board texts, names on
// the command line) reach a terminal as visible escapes, a picture as well-formed XML and
// JSON as JSON, whatever control characters they hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/scenario_folder_files.h"
#include "support/shell_run.h"

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

const std::string route = "Valdora_Rova";
const std::string train = "5284";

// A station name and a board text that would retitle the terminal and clear it.
const std::string hostile_station = "CASCINE\x1b]0;owned\x07";
const std::string hostile_board = "(\x1b[2J) (18.600)";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Every file of a folder with its bytes, to tell afterwards what a run changed.
std::map<std::string, std::string> files_of(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = read_text_file(entry.path());
    }
    return files;
}

bool has_control_byte(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
    });
}

// Two compiled scenarios: the built-in one, and the same with control characters in a
// station's name and a board's text.
class OutputProbes : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folders_ = new folders;
        for (const fs::path& folder : {folders_->plain.path(), folders_->hostile.path()}) {
            ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
        }
        const fs::path hostile = folders_->hostile.path();
        put_file(hostile / train_source_file, replaced(read_text_file(hostile / train_source_file),
                                                       "VALDORA CASCINE", hostile_station));
        put_file(hostile / line_source_file, replaced(read_text_file(hostile / line_source_file),
                                                      "(  Km. ) (18.600)", hostile_board));
        for (const fs::path& folder : {folders_->plain.path(), folders_->hostile.path()}) {
            const program_result compiled = run_program(compile_args(folder));
            ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
            folders_->compile_messages[folder.string()] = compiled.standard_error;
        }
    }
    static void TearDownTestSuite() {
        delete folders_;
        folders_ = nullptr;
    }

    static std::vector<std::string> compile_args(const fs::path& folder) {
        return {"compile", "--dir", folder.string(), "--route", route, "--train", train};
    }

    struct folders {
        temporary_folder plain;
        temporary_folder hostile;
        std::map<std::string, std::string> compile_messages;
    };
    static folders* folders_;
};

OutputProbes::folders* OutputProbes::folders_ = nullptr;

struct output_probe {
    const char* name;
    std::vector<std::string> args;  // PLAIN and HOSTILE stand for the two folders, OUT for a file
    std::string redirect;
    std::string limits;
    int exit_status;
    std::string message;  // what standard error holds; empty: nothing at all
};

TEST_F(OutputProbes, OutputThatCannotBeWrittenIsAFailure) {
    const std::string full = "No space left on device";
    const std::string closed = "cannot write standard output: it is closed";
    const output_probe probes[] = {
        {"SummaryToNull", {"inspect", "--summary", "PLAIN"}, ">/dev/null", "", 0, ""},
        {"SummaryToFullDevice", {"inspect", "--summary", "PLAIN"}, ">/dev/full", "", 2, full},
        {"SummaryToClosedOutput", {"inspect", "--summary", "PLAIN"}, ">&-", "", 2, closed},
        {"SummaryPastFileSizeLimit",
         {"inspect", "--summary", "--json", "PLAIN"},
         ">OUT",
         "ulimit -f 1",
         2,
         "cannot write standard output: File too large"},
        {"GridToFullDevice", {"inspect", "PLAIN/" + grid_file}, ">/dev/full", "", 2, full},
        {"GridToClosedOutput", {"inspect", "PLAIN/" + grid_file}, ">&-", "", 2, closed},
        {"DiffToNull", {"diff", "PLAIN", "HOSTILE"}, ">/dev/null", "", 1, ""},
        {"DiffToFullDevice", {"diff", "PLAIN", "HOSTILE"}, ">/dev/full", "", 2, full},
        {"DiffJsonToClosedOutput", {"diff", "--json", "PLAIN", "HOSTILE"}, ">&-", "", 2, closed},
        {"SameScenariosPrintNothingToFail", {"diff", "PLAIN", "PLAIN"}, ">/dev/full", "", 0, ""},
        {"PlotToFullDevice",
         {"plot", "--dir", "PLAIN", "--route", route, "--train", train, "--out", "OUT.svg"},
         ">/dev/full",
         "",
         2,
         full},
        {"PlotToClosedOutput",
         {"plot", "--dir", "PLAIN", "--route", route, "--train", train, "--out", "OUT.svg"},
         ">&-",
         "",
         2,
         closed},
        {"VersionToFullDevice", {"--version"}, ">/dev/full", "", 2, full},
        {"HelpToFullDevice", {"inspect", "--help"}, ">/dev/full", "", 2, full},
    };
    const fs::path plain = folders_->plain.path();
    for (const output_probe& probe : probes) {
        const temporary_folder elsewhere;
        const std::string out = (elsewhere.path() / "out").string();
        std::vector<std::string> args;
        for (std::string arg : probe.args) {
            for (const auto& [word, value] :
                 {std::pair<std::string, std::string>{"PLAIN", plain.string()},
                  {"HOSTILE", folders_->hostile.path().string()},
                  {"OUT", out}}) {
                if (arg.starts_with(word)) {
                    arg.replace(0, word.size(), value);
                }
            }
            args.push_back(arg);
        }
        const auto before = files_of(plain);
        const program_result result = run_program_with_output(
            args, probe.redirect == ">OUT" ? ">" + shell_quote(out) : probe.redirect, probe.limits);

        EXPECT_EQ(result.exit_status, probe.exit_status)
            << probe.name << ": " << result.standard_error;
        if (probe.message.empty()) {
            EXPECT_EQ(result.standard_error, "") << probe.name;
        } else {
            EXPECT_NE(result.standard_error.find(probe.message), std::string::npos)
                << probe.name << ": " << result.standard_error;
            EXPECT_TRUE(result.standard_error.starts_with("scenario-builder"))
                << probe.name << ": " << result.standard_error;
        }
        // The compiled files are only read; a closed standard output lends its descriptor to
        // no file the run opens.
        EXPECT_EQ(files_of(plain), before) << probe.name;
        if (probe.limits.starts_with("ulimit -f")) {
            EXPECT_LE(fs::file_size(out), 1024u) << probe.name;
        }
        if (fs::exists(out + ".svg")) {
            const std::string svg = read_text_file(out + ".svg");
            EXPECT_TRUE(svg.ends_with("</svg>\n")) << probe.name << ": the picture is whole";
        }
    }
}

TEST_F(OutputProbes, CompileTellsControlCharactersAndShowsNone) {
    const std::string& told = folders_->compile_messages[folders_->hostile.path().string()];
    EXPECT_NE(told.find("the name \"CASCINE\\x1b]0;owned\\x07\" holds 2 control characters"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("[text-control]"), std::string::npos) << told;
    EXPECT_FALSE(has_control_byte(told)) << told;
    // The bytes are compiled as the author wrote them.
    EXPECT_NE(read_text_file(folders_->hostile.path() / item_file).find(hostile_station),
              std::string::npos);
}

TEST_F(OutputProbes, TerminalOutputShowsControlCharactersAsEscapes) {
    const std::string hostile = folders_->hostile.path().string();
    const std::string plain = folders_->plain.path().string();
    struct terminal_case {
        const char* name;
        std::vector<std::string> args;
        int exit_status;
        std::string shown;
    };
    const terminal_case cases[] = {
        {"Summary", {"inspect", "--summary", hostile}, 0, "CASCINE\\x1b]0;owned\\x07"},
        {"SummaryOfBoards", {"inspect", "--summary", hostile}, 0, "(\\x1b[2J) (18.600)"},
        {"Diff", {"diff", plain, hostile}, 1, "CASCINE\\x1b]0;owned\\x07"},
    };
    for (const terminal_case& c : cases) {
        const program_result result = run_program(c.args);
        EXPECT_EQ(result.exit_status, c.exit_status) << c.name << ": " << result.standard_error;
        EXPECT_NE(result.standard_output.find(c.shown), std::string::npos)
            << c.name << ": " << result.standard_output;
        EXPECT_FALSE(has_control_byte(result.standard_output)) << c.name;
    }
    // A name on the command line, quoted in a message.
    const program_result named = run_program({"inspect", plain + "/x\x1b[2J.sim", "--summary"});
    EXPECT_EQ(named.exit_status, 2);
    EXPECT_EQ(named.standard_error,
              "scenario-builder inspect: no compiled file or folder " + plain + "/x\\x1b[2J.sim\n");
}

TEST_F(OutputProbes, JsonAndPicturesStayWellFormed) {
    const temporary_folder out;
    const std::string hostile = folders_->hostile.path().string();
    const program_result summary = run_program({"inspect", "--summary", "--json", hostile});
    ASSERT_EQ(summary.exit_status, 0) << summary.standard_error;
    EXPECT_FALSE(has_control_byte(summary.standard_output));
    put_file(out.path() / "summary.json", summary.standard_output);

    const std::string svg = (out.path() / "sheet.svg").string();
    const program_result drawn =
        run_program({"plot", "--dir", hostile, "--route", route, "--train", train, "--out", svg});
    ASSERT_EQ(drawn.exit_status, 0) << drawn.standard_error;
    const std::string picture = read_text_file(svg);
    EXPECT_FALSE(has_control_byte(picture));
    // The escape and the bell drawn as the symbols of the control characters.
    EXPECT_NE(picture.find("CASCINE\xe2\x90\x9b]0;owned\xe2\x90\x87"), std::string::npos);

    // Real parsers read both, and find the texts with their control characters as data.
    const program_result parsed = run_program_at(
        "python3",
        {"-c",
         "import json, sys, xml.etree.ElementTree as tree\n"
         "def strings(value):\n"
         "    if isinstance(value, dict): value = list(value.values())\n"
         "    if isinstance(value, list): return [s for v in value for s in strings(v)]\n"
         "    return [value] if isinstance(value, str) else []\n"
         "summary = json.load(open(sys.argv[1], encoding='utf-8'))\n"
         "texts = ''.join(t.text or '' for t in tree.parse(sys.argv[2]).iter("
         "'{http://www.w3.org/2000/svg}text'))\n"
         "print('json' if 'CASCINE\\x1b]0;owned\\x07' in strings(summary) else 'no json')\n"
         "print('svg' if '\\u241b]0;owned\\u2407' in texts else 'no svg')\n",
         (out.path() / "summary.json").string(), svg});
    EXPECT_EQ(parsed.exit_status, 0) << parsed.standard_error;
    EXPECT_EQ(parsed.standard_output, "json\nsvg\n") << parsed.standard_error;
}

}  // namespace
}  // namespace scenario
