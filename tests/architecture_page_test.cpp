// The page that says where each kind of change goes, docs/architecture.md, stays true to the
// tree: its table of folders names every folder of src/ and every library and module that
// their CMake files declare, each in the folder that declares it, and every file the page
// names exists, so that a move or a new folder cannot leave the page describing a house that
// is no longer there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

using testing_support::read_text_file;

const fs::path source_root = SCENARIO_SOURCE_DIR;

std::string architecture_page() {
    return read_text_file((source_root / "docs" / "architecture.md").string());
}

// The rows of the table under "## Folders and targets": folder → the targets in its row.
std::map<std::string, std::set<std::string>> folder_table(const std::string& page) {
    std::map<std::string, std::set<std::string>> rows;
    const std::size_t section = page.find("\n## Folders and targets\n");
    if (section == std::string::npos) {
        return rows;
    }
    const std::size_t end = page.find("\n## ", section + 1);
    const std::string table = page.substr(section, end - section);
    static const std::regex row(R"(\n\| `(src/[a-z0-9_]+)` \| ([^|]*) \|)");
    static const std::regex name("`([A-Za-z0-9_.-]+)`");
    for (std::sregex_iterator match(table.begin(), table.end(), row), last; match != last;
         ++match) {
        std::set<std::string>& targets = rows[(*match)[1].str()];
        const std::string cell = (*match)[2].str();
        for (std::sregex_iterator target(cell.begin(), cell.end(), name); target != last;
             ++target) {
            targets.insert((*target)[1].str());
        }
    }
    return rows;
}

std::set<std::string> folders_of_src() {
    std::set<std::string> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(source_root / "src")) {
        if (entry.is_directory()) {
            folders.insert("src/" + entry.path().filename().string());
        }
    }
    return folders;
}

// The libraries, modules and programs that a folder's CMake file declares.
std::set<std::string> targets_declared_in(const std::string& folder) {
    std::set<std::string> targets;
    const fs::path file = source_root / folder / "CMakeLists.txt";
    if (!fs::exists(file)) {
        return targets;
    }
    const std::string text = read_text_file(file.string());
    static const std::regex declaration(
        R"((?:scenario_library|add_library|add_executable)\(([A-Za-z0-9_-]+))");
    for (std::sregex_iterator match(text.begin(), text.end(), declaration), last; match != last;
         ++match) {
        targets.insert((*match)[1].str());
    }
    return targets;
}

TEST(ArchitecturePage, NamesEveryFolderOfSrcAndNoOther) {
    const auto table = folder_table(architecture_page());
    std::set<std::string> named;
    for (const auto& [folder, targets] : table) {
        named.insert(folder);
    }
    EXPECT_EQ(named, folders_of_src());
}

TEST(ArchitecturePage, NamesEachFoldersTargetsAsItsCMakeFileDeclaresThem) {
    for (const auto& [folder, targets] : folder_table(architecture_page())) {
        EXPECT_EQ(targets, targets_declared_in(folder)) << folder;
    }
}

// A file named with its folder ("compiler/keywords.h") is looked for under src/ and at the
// top of the tree; a bare name ("compile_report.h") anywhere in the folders that hold code.
bool names_a_file_of_the_tree(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return fs::exists(source_root / "src" / name) || fs::exists(source_root / name);
    }
    for (const char* folder : {"src", "tests", "cmake", "bench", "fuzz"}) {
        for (const fs::directory_entry& entry :
             fs::recursive_directory_iterator(source_root / folder)) {
            if (entry.path().filename() == name) {
                return true;
            }
        }
    }
    return false;
}

TEST(ArchitecturePage, EveryFileItNamesExists) {
    const std::string page = architecture_page();
    static const std::regex file_name(
        R"(`([A-Za-z0-9_./-]+\.(?:h|cpp|cmake|lua|sh|html|css|js))`)");
    std::vector<std::string> missing;
    for (std::sregex_iterator match(page.begin(), page.end(), file_name), last; match != last;
         ++match) {
        const std::string name = (*match)[1].str();
        // A capital word is a placeholder: `src/app/NAME_command.cpp` is a pattern.
        const bool pattern =
            std::any_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        if (!pattern && !names_a_file_of_the_tree(name)) {
            missing.push_back(name);
        }
    }
    EXPECT_EQ(missing, std::vector<std::string>{});
}

}  // namespace
}  // namespace scenario
