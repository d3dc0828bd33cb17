#include "check/scenario_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace scenario {
namespace {

using nlohmann::json;

// A scenario with an error at a field, a warning with a related record and a fix, an error
// about a whole file, and a message with the characters that the formats must escape.
checked_scenario sample() {
    checked_scenario scenario;
    scenario.folder = "routes/lago vecchio";
    scenario.identity = {"Lago", "101"};
    scenario.line_source = "routes/lago vecchio/Lago_linea.txt";
    scenario.train_source = "routes/lago vecchio/Lago_101-.txt";
    diagnostic error;
    error.code = "16";
    error.codice = 16;
    error.posizione = 1000;
    error.file = scenario.train_source;
    error.range = {64, 5, 64, 9};
    error.message = "the segnale record at 1000 m: cell 21 already holds a signal";
    diagnostic warning;
    warning.level = severity::warning;
    warning.code = "unread-key";
    warning.file = scenario.line_source;
    warning.range = {17, 1, 17, 9};
    warning.message = "50%, a: b\nc \xE8";  // \xE8 is "è" in Windows-1252
    warning.related.push_back({scenario.line_source, {3, 2, 3, 4}, "the other one"});
    warning.fix = diagnostic_fix{{17, 1, 17, 9}, "pendenza", "Replace with pendenza"};
    diagnostic whole_file;
    whole_file.code = "unread-key";
    whole_file.level = severity::warning;
    whole_file.file = scenario.line_source;
    whole_file.message = "yields nothing";
    scenario.diagnostics = {error, warning, whole_file};
    scenario.text = "TEXT OF THE DIAGNOSTICS\n";
    scenario.errors = 1;
    scenario.warnings = 2;
    scenario.failed = true;
    return scenario;
}

std::string report_of(report_format format, const checked_scenario& scenario,
                      const std::vector<unreadable_path>& unreadable = {}) {
    std::FILE* out = std::tmpfile();
    check_totals totals;
    {
        const auto report = make_report(format, out, {"9.8.7", true});
        for (const unreadable_path& path : unreadable) {
            report->add_unreadable(path);
            ++totals.unreadable;
        }
        totals.add(scenario);
        report->add(scenario);
        report->finish(totals, unreadable.empty() ? 1 : 2);
    }
    std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    const std::size_t read = std::fread(text.data(), 1, text.size(), out);
    text.resize(read);
    std::fclose(out);
    return text;
}

TEST(ScenarioReport, TextIsTheDiagnosticsThenTheScenarioThenTheTotal) {
    EXPECT_EQ(report_of(report_format::text, sample()),
              "TEXT OF THE DIAGNOSTICS\n"
              "routes/lago vecchio/Lago_101-.txt: 1 error, 2 warnings\n"
              "check: 1 scenario, 0 clean, 0 with warnings, 1 failed; 1 error, 2 warnings\n");
}

TEST(ScenarioReport, GithubAnnotatesEachFieldWithEscapedValues) {
    const std::string lines = report_of(report_format::github, sample());
    EXPECT_EQ(
        lines,
        "::error file=routes/lago vecchio/Lago_101-.txt,line=64,col=5,endLine=64,"
        "endColumn=9,title=error 16::the segnale record at 1000 m: cell 21 already holds a signal\n"
        "::warning file=routes/lago vecchio/Lago_linea.txt,line=17,col=1,endLine=17,"
        "endColumn=9,title=warning unread-key::50%25, a: b%0Ac \xC3\xA8\n"
        "::notice file=routes/lago vecchio/Lago_linea.txt,line=3,col=2,endLine=3,"
        "endColumn=4,title=note::the other one\n"
        "::warning file=routes/lago vecchio/Lago_linea.txt,title=warning unread-key::"
        "yields nothing\n"
        "routes/lago vecchio/Lago_101-.txt: 1 error, 2 warnings\n"
        "check: 1 scenario, 0 clean, 0 with warnings, 1 failed; 1 error, 2 warnings\n");
}

TEST(ScenarioReport, GithubEscapesColonsAndCommasInProperties) {
    checked_scenario scenario;
    scenario.train_source = "a,b:c/R_T-.txt";
    diagnostic told;
    told.code = "7";
    told.file = scenario.train_source;
    told.message = "m";
    scenario.diagnostics = {told};
    const std::string lines = report_of(report_format::github, scenario);
    EXPECT_EQ(lines.substr(0, lines.find('\n')),
              "::error file=a%2Cb%3Ac/R_T-.txt,title=error 7::m");
}

TEST(ScenarioReport, JsonIsOneDocumentWithEveryField) {
    const json document =
        json::parse(report_of(report_format::json, sample(), {{"gone", "no such file or folder"}}));
    EXPECT_EQ(document["version"], "9.8.7");
    EXPECT_EQ(document["exit_status"], 2);
    EXPECT_EQ(document["totals"]["scenarios"], 1);
    EXPECT_EQ(document["totals"]["failed"], 1);
    EXPECT_EQ(document["totals"]["unreadable"], 1);
    EXPECT_EQ(document["unreadable"][0]["path"], "gone");
    const json& scenario = document["scenarios"][0];
    EXPECT_EQ(scenario["route"], "Lago");
    EXPECT_EQ(scenario["train"], "101");
    EXPECT_EQ(scenario["errors"], 1);
    EXPECT_EQ(scenario["stopped"], nullptr);
    ASSERT_EQ(scenario["diagnostics"].size(), 3U);
    const json& error = scenario["diagnostics"][0];
    EXPECT_EQ(error["severity"], "error");
    EXPECT_EQ(error["code"], "16");
    EXPECT_EQ(error["line"], 64);
    EXPECT_EQ(error["column"], 5);
    EXPECT_EQ(error["end_column"], 9);
    EXPECT_EQ(error["position_m"], 1000);
    const json& warning = scenario["diagnostics"][1];
    EXPECT_EQ(warning["message"], "50%, a: b\nc \xC3\xA8");
    EXPECT_EQ(warning["related"][0]["line"], 3);
    EXPECT_EQ(warning["fix"]["replacement"], "pendenza");
    EXPECT_FALSE(warning.contains("position_m"));
}

TEST(ScenarioReport, SarifResultsPointAtTheirFields) {
    const json log = json::parse(report_of(report_format::sarif, sample()));
    EXPECT_EQ(log["version"], "2.1.0");
    const json& run = log["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["version"], "9.8.7");
    // Each code is one rule, however many results it has.
    ASSERT_EQ(run["tool"]["driver"]["rules"].size(), 2U);
    const json& results = run["results"];
    ASSERT_EQ(results.size(), 3U);
    EXPECT_EQ(results[0]["ruleId"], "16");
    EXPECT_EQ(results[0]["level"], "error");
    const json& location = results[0]["locations"][0]["physicalLocation"];
    EXPECT_EQ(location["artifactLocation"]["uri"], "routes/lago%20vecchio/Lago_101-.txt");
    EXPECT_EQ(location["region"],
              json({{"startLine", 64}, {"startColumn", 5}, {"endLine", 64}, {"endColumn", 9}}));
    EXPECT_EQ(results[1]["ruleIndex"], 1);
    EXPECT_EQ(results[1]["relatedLocations"][0]["physicalLocation"]["region"]["startLine"], 3);
    EXPECT_EQ(
        results[1]["fixes"][0]["artifactChanges"][0]["replacements"][0]["insertedContent"]["text"],
        "pendenza");
    EXPECT_EQ(results[2]["ruleIndex"], 1);
    EXPECT_FALSE(results[2]["locations"][0]["physicalLocation"].contains("region"));
    EXPECT_EQ(run["invocations"][0]["executionSuccessful"], true);
}

TEST(ScenarioReport, SarifTellsOfAnUnreadablePathAndAStop) {
    checked_scenario stopped;
    stopped.train_source = "/abs/R_T-.txt";
    stopped.stopped = "the line file gives no grid";
    stopped.failed = true;
    const json log = json::parse(report_of(report_format::sarif, stopped, {{"gone", "missing"}}));
    const json& run = log["runs"][0];
    EXPECT_EQ(run["results"][0]["ruleId"], "compile-stopped");
    EXPECT_EQ(run["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
              "file:///abs/R_T-.txt");
    EXPECT_EQ(run["invocations"][0]["executionSuccessful"], false);
    EXPECT_EQ(run["invocations"][0]["toolExecutionNotifications"][0]["message"]["text"],
              "gone: missing");
}

TEST(ScenarioReport, FormatsAreNamedAsTheOptionTakesThem) {
    EXPECT_EQ(report_format_named("sarif"), report_format::sarif);
    EXPECT_EQ(report_format_named("github"), report_format::github);
    EXPECT_FALSE(report_format_named("xml").has_value());
}

}  // namespace
}  // namespace scenario
