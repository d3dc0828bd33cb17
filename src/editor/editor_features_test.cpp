// What an editor offers beside the diagnostics: which pair a file belongs to, the outline,
// the keywords to complete with their fields, and every kind's reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compiler/record_fields.h"
#include "editor/completion.h"
#include "editor/editor_test_support.h"
#include "editor/outline.h"
#include "editor/source_pair.h"

namespace scenario::editor {
namespace {

TEST(RecordReference, EveryKindReadAnywhereHasOneWithAFieldPerValue) {
    for (const source_part part :
         {source_part::line_general, source_part::line_records, source_part::train_records}) {
        for (const keyword* kind : keywords_read_in(part)) {
            const record_reference* reference = reference_of(kind);
            ASSERT_NE(reference, nullptr) << kind->name;
            EXPECT_EQ(reference->fields.size(), static_cast<std::size_t>(kind->values))
                << kind->name;
            EXPECT_EQ(reference->part, part) << kind->name;
            EXPECT_TRUE(kind->named_by(reference->written)) << kind->name;
        }
    }
}

struct pair_case {
    const char* name;
    std::string path;
    std::vector<std::string> beside;
    bool found;
    std::string route;
    std::string train;
    source_file opened;
    bool train_missing;
};

class IdentifySource : public testing::TestWithParam<pair_case> {};

TEST_P(IdentifySource, FindsRouteTrainAndWhichFile) {
    const pair_case& c = GetParam();
    const std::optional<source_pair> pair = identify_source(c.path, c.beside);
    ASSERT_EQ(pair.has_value(), c.found);
    if (!pair) {
        return;
    }
    EXPECT_EQ(pair->folder, "/w");
    EXPECT_EQ(pair->identity.nome_percorso, c.route);
    EXPECT_EQ(pair->identity.numero_treno, c.train);
    EXPECT_EQ(pair->opened, c.opened);
    EXPECT_EQ(pair->train_missing, c.train_missing);
}

INSTANTIATE_TEST_SUITE_P(
    Names, IdentifySource,
    testing::Values(
        pair_case{"LineFileWithItsTrain",
                  "/w/Lago_linea.txt",
                  {"Lago_linea.txt", "Lago_101-.txt"},
                  true,
                  "Lago",
                  "101",
                  source_file::line,
                  false},
        pair_case{"LineFileTakesTheFirstOfTwoTrains",
                  "/w/Lago_linea.txt",
                  {"Lago_202-.txt", "Lago_101-.txt", "Altro_7-.txt"},
                  true,
                  "Lago",
                  "101",
                  source_file::line,
                  false},
        pair_case{"LineFileWithoutTrain",
                  "/w/Lago_linea.txt",
                  {"notes.txt"},
                  true,
                  "Lago",
                  "",
                  source_file::line,
                  true},
        pair_case{"TrainOfARouteWithUnderscores",
                  "/w/Valdora_Rova_5284-.txt",
                  {"Valdora_Rova_linea.txt"},
                  true,
                  "Valdora_Rova",
                  "5284",
                  source_file::train,
                  false},
        pair_case{"TrainWithoutLineSplitsAtTheLastUnderscore",
                  "/w/A_B_7-.txt",
                  {},
                  true,
                  "A_B",
                  "7",
                  source_file::train,
                  false},
        pair_case{"TrainWhoseLineIsTheShorterRoute",
                  "/w/A_B_7-.txt",
                  {"A_linea.txt"},
                  true,
                  "A",
                  "B_7",
                  source_file::train,
                  false},
        pair_case{"OtherFile", "/w/notes.txt", {}, false, "", "", source_file::none, false},
        pair_case{"TrainWithoutRoute", "/w/_7-.txt", {}, false, "", "", source_file::none, false}),
    [](const testing::TestParamInfo<pair_case>& info) { return std::string(info.param.name); });

TEST(Outline, GroupsTheRecordsOfEachFileAndNamesStationsByName) {
    const auto compiled = builtin_pair();
    const std::vector<outline_symbol> train = outline_of(*compiled, source_file::train);
    std::vector<std::string> names;
    names.reserve(train.size());
    for (const outline_symbol& group : train) {
        names.push_back(group.name + " " + std::to_string(group.children.size()));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"general values 4", "adherence 1", "speed limits 20",
                                               "stations 16", "slowdowns 2", "signals 42"}));
    const outline_symbol& empoli = train[3].children[7];
    EXPECT_EQ(empoli.name, "EMPOLI");
    EXPECT_EQ(empoli.detail, "33800 m, km 33.800");
    EXPECT_EQ(empoli.line, 45);
    EXPECT_EQ(empoli.key_end_column, 9);
    const outline_symbol& first_signal = train[5].children[0];
    EXPECT_EQ(first_signal.name, "segnale 1000");
    EXPECT_EQ(first_signal.line, 63);

    const std::vector<outline_symbol> line = outline_of(*compiled, source_file::line);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line[0].name, "general part");
    EXPECT_EQ(line[0].children[0].name, "lunghezza percorso");
    EXPECT_EQ(line[0].children[0].detail, "82000");
}

bool offers(const std::vector<completion_item>& items, const std::string& label) {
    return std::any_of(items.begin(), items.end(),
                       [&](const completion_item& item) { return item.label == label; });
}

TEST(Completion, OffersTheKeywordsOfThePartWhereTheLineStands) {
    const auto compiled = builtin_pair();
    // Line 10 ("sfondo uno") is in the line file's general part, line 15 after it.
    const auto general = completions_at(*compiled, source_file::line, 10, "", 1);
    EXPECT_TRUE(offers(general, "lunghezza percorso"));
    EXPECT_FALSE(offers(general, "pendenza"));
    const auto records = completions_at(*compiled, source_file::line, 15, "pen", 4);
    EXPECT_TRUE(offers(records, "pendenza"));
    EXPECT_FALSE(offers(records, "sfondo uno"));
    EXPECT_FALSE(offers(records, "segnale"));

    const auto train = completions_at(*compiled, source_file::train, 20, "", 1);
    const auto station = std::find_if(train.begin(), train.end(), [](const completion_item& item) {
        return item.label == "stazione";
    });
    ASSERT_NE(station, train.end());
    EXPECT_TRUE(station->snippet.starts_with("stazione, ${1:pos.}, ${2:tipo}")) << station->snippet;
    EXPECT_TRUE(station->snippet.ends_with("${17:nome}")) << station->snippet;
    EXPECT_TRUE(completions_at(*compiled, source_file::train, 63, "segnale, 10", 11).empty());
}

}  // namespace
}  // namespace scenario::editor
