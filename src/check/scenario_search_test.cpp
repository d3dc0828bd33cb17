#include "check/scenario_search.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> identities(const std::vector<scenario_identity>& list) {
    std::vector<std::string> shown;
    shown.reserve(list.size());
    for (const scenario_identity& identity : list) {
        shown.push_back(identity.nome_percorso + "|" + identity.numero_treno);
    }
    return shown;
}

struct pairing_case {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::string> expected;  // route|train, sorted
};

class PairSources : public ::testing::TestWithParam<pairing_case> {};

TEST_P(PairSources, PairsEachTrainSourceWithItsLineSource) {
    EXPECT_EQ(identities(pair_sources(GetParam().files)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PairSources,
    ::testing::Values(
        pairing_case{"OnePair", {"Lago_linea.txt", "Lago_101-.txt"}, {"Lago|101"}},
        pairing_case{"ManyTrainsOfARoute",
                     {"Lago_102-.txt", "Lago_linea.txt", "Lago_101-.txt", "notes.txt"},
                     {"Lago|101", "Lago|102"}},
        pairing_case{"TrainWithoutLineIsNoScenario", {"Lago_101-.txt", "Monte_linea.txt"}, {}},
        pairing_case{"LineWithoutTrainIsNoScenario", {"Lago_linea.txt"}, {}},
        pairing_case{"LongestRouteOwnsTheTrainFile",
                     {"A_linea.txt", "A_B_linea.txt", "A_B_1-.txt", "A_2-.txt"},
                     {"A|2", "A_B|1"}},
        pairing_case{"RouteWithUnderscoreAlone",
                     {"Valdora_Rova_linea.txt", "Valdora_Rova_5284-.txt"},
                     {"Valdora_Rova|5284"}},
        pairing_case{"EmptyTrainIsNoScenario", {"Lago_linea.txt", "Lago_-.txt"}, {}},
        pairing_case{"TrainNamedLineaIsNoScenario", {"Lago_linea.txt", "Lago_linea-.txt"}, {}},
        pairing_case{
            "CompiledFilesAreNotSources",
            {"Lago_linea.txt", "Lago_101-.txt", "Lago_linea.dat", "Lago_101.sim", "Lago_101.dat"},
            {"Lago|101"}}),
    [](const ::testing::TestParamInfo<pairing_case>& info) { return info.param.name; });

class FindScenarios : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("scenario-search-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        fs::permissions(root_ / "closed", fs::perms::owner_all, fs::perm_options::add, ignored_);
        fs::remove_all(root_, ignored_);
    }
    void touch(const std::string& relative) {
        const fs::path path = root_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "\n";
    }
    std::string under(const std::string& relative) const {
        return (root_ / relative).generic_string();
    }

    fs::path root_;
    std::error_code ignored_;
};

TEST_F(FindScenarios, SearchesFoldersRecursivelyInTheOrderOfTheirPaths) {
    touch("b/Lago_linea.txt");
    touch("b/Lago_2-.txt");
    touch("a/deep/er/Monte_linea.txt");
    touch("a/deep/er/Monte_7-.txt");
    touch("a/Lago_linea.txt");
    touch("a/Lago_1-.txt");
    touch(".git/objects/X_linea.txt");
    touch(".git/objects/X_1-.txt");
    const scenario_search found = find_scenarios({root_.string() + "/"});
    std::vector<std::string> listed;
    for (const found_scenario& scenario : found.scenarios) {
        listed.push_back(scenario.folder + "|" + scenario.identity.nome_percorso + "|" +
                         scenario.identity.numero_treno);
    }
    EXPECT_EQ(listed,
              (std::vector<std::string>{under("a") + "|Lago|1", under("a/deep/er") + "|Monte|7",
                                        under("b") + "|Lago|2"}));
    EXPECT_TRUE(found.unreadable.empty());
}

TEST_F(FindScenarios, AScenarioReachedTwiceIsListedOnce) {
    touch("a/Lago_linea.txt");
    touch("a/Lago_1-.txt");
    const scenario_search found =
        find_scenarios({under("a"), root_.string(), under("a/Lago_1-.txt")});
    ASSERT_EQ(found.scenarios.size(), 1U);
    EXPECT_EQ(found.scenarios[0].folder, under("a"));
}

TEST_F(FindScenarios, ASourceFileNamesItsScenarios) {
    touch("Lago_linea.txt");
    touch("Lago_1-.txt");
    touch("Lago_2-.txt");
    touch("Monte_linea.txt");
    touch("Monte_3-.txt");
    EXPECT_EQ(find_scenarios({under("Lago_2-.txt")}).scenarios.size(), 1U);
    EXPECT_EQ(find_scenarios({under("Lago_linea.txt")}).scenarios.size(), 2U);
}

TEST_F(FindScenarios, ReportsWhatCannotBeReadAndGoesOn) {
    touch("ok/Lago_linea.txt");
    touch("ok/Lago_1-.txt");
    touch("readme.txt");
    fs::create_directories(root_ / "closed");
    fs::permissions(root_ / "closed", fs::perms::none);
    const bool can_close = ::access((root_ / "closed").c_str(), R_OK) != 0;  // not as root
    const scenario_search found =
        find_scenarios({under("missing"), under("readme.txt"), root_.string()});
    EXPECT_EQ(found.scenarios.size(), 1U);
    ASSERT_GE(found.unreadable.size(), 2U);
    EXPECT_EQ(found.unreadable[0].path, under("missing"));
    EXPECT_EQ(found.unreadable[1].path, under("readme.txt"));
    EXPECT_NE(found.unreadable[1].message.find("neither a folder nor the source"),
              std::string::npos);
    EXPECT_EQ(found.unreadable.size(), can_close ? 3U : 2U);
}

}  // namespace
}  // namespace scenario
