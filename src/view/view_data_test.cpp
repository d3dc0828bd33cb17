// The page's data from a compile of the built-in scenario in memory, and the page around it:
// the objects keep the source lines that placed them, the diagnostics their places on the
// line, the plan its levels from coarse to fine, and no text of the data can end its element.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "compiler/compile_report.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/compile_test_support.h"
#include "view/compile_view.h"
#include "view/page.h"

namespace scenario::view {
namespace {

using testing_support::source_folder;

// The data of a compile of the texts, held in memory as an editor holds them.
nlohmann::json data_of(const std::string& line_text, const std::string& train_text) {
    const source_folder folder;
    source_texts held;
    held.keep(folder.line_source_path().string(), line_text);
    held.keep(folder.train_source_path().string(), train_text);
    compile_context context({folder.path().string(), builtin_identity(), false});
    context.options.texts = &held;
    context.options.write_compiled_files = false;
    const compile_report report = compile_and_report(context, 1);
    std::string json;
    const status made = view_data_of_compile(context, report.diagnostics, json);
    EXPECT_TRUE(made.ok()) << made.message();
    return nlohmann::json::parse(json);
}

std::string builtin_line() {
    return compose_line_table(builtin_line_table());
}
std::string builtin_train() {
    return compose_line_table(builtin_train_table());
}

const nlohmann::json* object_at(const nlohmann::json& data, const std::string& kind, int cell) {
    for (const nlohmann::json& object : data["objects"]) {
        if (object["kind"] == kind && object["cell"] == cell) {
            return &object;
        }
    }
    return nullptr;
}

TEST(ViewData, ObjectsKeepTheSourceLineThatPlacedThem) {
    const nlohmann::json data = data_of(builtin_line(), builtin_train());
    EXPECT_EQ(data["distance"]["signals"][0], 1000);
    EXPECT_TRUE(data["diagnostics"].empty());
    const std::string train_file = "Valdora_Rova_5284-.txt";
    // {kind, cell, file, line}: a signal, a slowdown, a board of the line file, a station.
    struct expected_origin {
        const char* kind;
        int cell;
        std::string file;
        int line;
    };
    const expected_origin cases[] = {
        {"signal", 21, train_file, 63},
        {"slowdown", 731, train_file, 57},
        {"maximum-speed board", 17, "Valdora_Rova_linea.txt", 93},
    };
    for (const expected_origin& expected : cases) {
        const nlohmann::json* object = object_at(data, expected.kind, expected.cell);
        ASSERT_NE(object, nullptr) << expected.kind << " in cell " << expected.cell;
        EXPECT_EQ((*object)["source"]["file"], expected.file) << expected.kind;
        EXPECT_EQ((*object)["source"]["line"], expected.line) << expected.kind;
    }
    // The slowdown reaches its end, its warning board and the points the compile added.
    const nlohmann::json& slowdown = *object_at(data, "slowdown", 731);
    EXPECT_EQ(slowdown["span"], nlohmann::json::array({36500, 36800}));
    const auto& cells = slowdown["cells"];
    EXPECT_NE(std::find(cells.begin(), cells.end(), 707), cells.end());
    EXPECT_NE(std::find(cells.begin(), cells.end(), 737), cells.end());
}

TEST(ViewData, PlanLevelsGoFromCoarseToFineAndEachCoversTheWholeLine) {
    const nlohmann::json data = data_of(builtin_line(), builtin_train());
    const nlohmann::json& levels = data["plan"]["levels"];
    ASSERT_GE(levels.size(), 2U);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const nlohmann::json& level = levels[i];
        ASSERT_EQ(level["m"].size(), level["x"].size());
        EXPECT_EQ(level["m"].front(), 0);
        EXPECT_EQ(level["m"].back(), levels[0]["m"].back());
        EXPECT_TRUE(std::is_sorted(level["m"].begin(), level["m"].end()));
        if (i > 0) {
            EXPECT_LT(level["tolerance"].get<double>(), levels[i - 1]["tolerance"].get<double>());
            EXPECT_GE(level["m"].size(), levels[i - 1]["m"].size());
        }
    }
}

TEST(ViewData, DiagnosticsStandWhereTheirRecordOrTheirCodePlacesThem) {
    std::string train = builtin_train();
    // One value too many on the first signal's line: a warning of the record at 1000 m.
    const std::string signal = "segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0";
    const std::size_t at = train.find(signal);
    ASSERT_NE(at, std::string::npos);
    train.insert(at + signal.size(), ", 7");
    // A second signal in the cell of the one at 2100: error 16 at 2100 m.
    const std::size_t second = train.find("segnale,   4600,");
    ASSERT_NE(second, std::string::npos);
    train.replace(second, 16, "segnale,   2100,");
    const nlohmann::json data = data_of(builtin_line(), train);
    const nlohmann::json& diagnostics = data["diagnostics"];
    ASSERT_EQ(diagnostics.size(), 2U) << diagnostics.dump(1);
    EXPECT_EQ(diagnostics[0]["severity"], "warning");
    EXPECT_EQ(diagnostics[0]["metre"], 1000);
    EXPECT_EQ(diagnostics[0]["line"], 63);
    EXPECT_EQ(diagnostics[0]["source_line"], signal + ", 7");
    EXPECT_EQ(diagnostics[1]["severity"], "error");
    EXPECT_EQ(diagnostics[1]["code"], "16");
    EXPECT_EQ(diagnostics[1]["metre"], 2100);
}

TEST(ViewPage, NoTextOfTheDataOrTitleEndsItsElementOrTakesAnotherPlace) {
    const std::string page =
        assemble_page("A <b> & @DATA@", R"({"name":"</script><script>alert(1)</script>@STYLE@"})");
    EXPECT_EQ(page.find("</script><script>alert"), std::string::npos);
    EXPECT_NE(page.find(R"(\u003c/script>\u003cscript>alert(1)\u003c/script>@STYLE@)"),
              std::string::npos);
    EXPECT_NE(page.find("<title>A &lt;b&gt; &amp; @DATA@</title>"), std::string::npos);
    // The page's own style and script stand once each.
    EXPECT_EQ(page.find("@SCRIPT@"), std::string::npos);
    EXPECT_NE(page.find("'use strict';"), std::string::npos);
    EXPECT_EQ(script_safe_json(R"({"a":"<!--"})"), R"({"a":"\u003c!--"})");
}

}  // namespace
}  // namespace scenario::view
