// The manual page (docs/scenario-builder.1) against the program's own help: every command that
// `--help` lists has its section, and each section lists exactly the options that the command's
// `--help` lists, no more and no fewer, so that the page cannot fall behind the program.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::read_text_file;
using testing_support::run_program;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The commands that the program's help lists, in its order.
std::vector<std::string> commands_in_help() {
    std::vector<std::string> commands;
    bool listing = false;
    const std::regex command_line("^  ([a-z][a-z-]*) .*");
    for (const std::string& line : lines_of(run_program({"--help"}).standard_output)) {
        std::smatch found;
        if (line == "Subcommands:") {
            listing = true;
        } else if (listing && std::regex_match(line, found, command_line)) {
            commands.push_back(found[1]);
        }
    }
    return commands;
}

// The options of a help text: the first name on each line of the option lists ("  --dir TEXT",
// "  -h,--help", "    --dir" in a group), never the options that a description mentions.
std::set<std::string> options_in_help(const std::string& help) {
    std::set<std::string> options;
    const std::regex option_line("^ +(?:-[a-z],)?(--[a-z0-9-]+).*");
    for (const std::string& line : lines_of(help)) {
        std::smatch found;
        if (std::regex_match(line, found, option_line)) {
            options.insert(found[1]);
        }
    }
    return options;
}

struct manual_page {
    std::set<std::string> general_options;
    std::map<std::string, std::set<std::string>> command_options;
};

// A section ".SS COMMAND" lists the options of COMMAND, each as the heading of a ".TP" entry;
// the entries of "OPTIONS" are the options that every command takes with the program's own.
manual_page read_manual_page() {
    manual_page page;
    std::set<std::string>* listing = nullptr;
    bool heading_next = false;
    const std::regex option("--[a-z0-9-]+");
    for (const std::string& line :
         lines_of(read_text_file(SCENARIO_SOURCE_DIR "/docs/scenario-builder.1"))) {
        if (line == ".SH OPTIONS") {
            listing = &page.general_options;
        } else if (line.starts_with(".SS ")) {
            listing = &page.command_options[line.substr(4)];
        } else if (line.starts_with(".SH ")) {
            listing = nullptr;
        } else if (line == ".TP") {
            heading_next = true;
            continue;
        } else if (heading_next && listing != nullptr) {
            // ".BI \-\-dir " DIR"", ".BR \-h ", " \-\-help", ".B \-\-no\-line": the heading
            // with its hyphens unescaped, and every long option in it.
            std::string heading = line.substr(line.find(' ') + 1);
            for (std::size_t at; (at = heading.find("\\-")) != std::string::npos;) {
                heading.replace(at, 2, "-");
            }
            for (std::sregex_iterator found(heading.begin(), heading.end(), option), end;
                 found != end; ++found) {
                listing->insert(found->str());
            }
        }
        heading_next = false;
    }
    return page;
}

TEST(ManualPage, ListsEveryCommand) {
    const manual_page page = read_manual_page();
    const std::vector<std::string> commands = commands_in_help();
    ASSERT_GE(commands.size(), 10U);
    std::set<std::string> in_page;
    for (const auto& [command, options] : page.command_options) {
        in_page.insert(command);
    }
    EXPECT_EQ(in_page, std::set<std::string>(commands.begin(), commands.end()));
}

TEST(ManualPage, ListsEachCommandsOptionsAsItsHelpDoes) {
    const manual_page page = read_manual_page();
    for (const std::string& command : commands_in_help()) {
        const testing_support::program_result help = run_program({command, "--help"});
        ASSERT_EQ(help.exit_status, 0) << command;
        std::set<std::string> expected = options_in_help(help.standard_output);
        // -h,--help stands once, in OPTIONS, for every command.
        expected.erase("--help");
        const auto found = page.command_options.find(command);
        ASSERT_NE(found, page.command_options.end()) << command;
        EXPECT_EQ(found->second, expected) << "the section of " << command;
    }
}

TEST(ManualPage, ListsTheProgramsOwnOptions) {
    EXPECT_EQ(read_manual_page().general_options,
              options_in_help(run_program({"--help"}).standard_output));
}

}  // namespace
}  // namespace scenario
