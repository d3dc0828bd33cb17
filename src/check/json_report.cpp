// The JSON report: one document, written when the run ends.
//
//   {"tool": "scenario-builder", "version": "...", "exit_status": 1,
//    "totals": {"scenarios", "clean", "with_warnings", "failed", "errors", "warnings",
//               "unreadable"},
//    "unreadable": [{"path", "message"}],
//    "scenarios": [{"folder", "route", "train", "line_source", "train_source", "errors",
//                   "warnings", "failed", "stopped", "unreadable", "diagnostics": [...]}]}
//
// A diagnostic: {"severity", "code", "file", "line", "column", "end_line", "end_column",
// "message", "beyond_compiled_part", "position_m" (errors that carry one), "related":
// [{"file", "line", "column", "end_line", "end_column", "message"}], "fix": {"title",
// "replacement", "line", "column", "end_line", "end_column"}}. Lines and columns count from 1,
// columns in bytes of the source; line 0 stands for a whole file. Every text is UTF-8: a source's
// own bytes quoted in a message are read as Windows-1252.
#include <nlohmann/json.hpp>
#include <string>

#include "check/scenario_report.h"
#include "source/code_page.h"

namespace scenario {
namespace {

using json = nlohmann::ordered_json;

void put_range(json& object, const source_range& range) {
    object["line"] = range.line;
    object["column"] = range.column;
    object["end_line"] = range.end_line;
    object["end_column"] = range.end_column;
}

json diagnostic_json(const diagnostic& told) {
    json object;
    object["severity"] = told.level == severity::error ? "error" : "warning";
    object["code"] = told.code;
    object["file"] = shown_as_utf8(told.file);
    put_range(object, told.range);
    object["message"] = shown_as_utf8(told.message);
    object["beyond_compiled_part"] = told.beyond_compiled_part;
    if (told.posizione) {
        object["position_m"] = *told.posizione;
    }
    json related = json::array();
    for (const diagnostic_note& note : told.related) {
        json entry;
        entry["file"] = shown_as_utf8(note.file);
        put_range(entry, note.range);
        entry["message"] = shown_as_utf8(note.message);
        related.push_back(std::move(entry));
    }
    object["related"] = std::move(related);
    if (told.fix) {
        json fix;
        fix["title"] = shown_as_utf8(told.fix->title);
        fix["replacement"] = shown_as_utf8(told.fix->replacement);
        put_range(fix, told.fix->range);
        object["fix"] = std::move(fix);
    }
    return object;
}

class json_report final : public scenario_report {
  public:
    json_report(std::FILE* out, std::string version) : out_(out), version_(std::move(version)) {}

    void add(const checked_scenario& scenario) override {
        json object;
        object["folder"] = shown_as_utf8(scenario.folder);
        object["route"] = shown_as_utf8(scenario.identity.nome_percorso);
        object["train"] = shown_as_utf8(scenario.identity.numero_treno);
        object["line_source"] = shown_as_utf8(scenario.line_source);
        object["train_source"] = shown_as_utf8(scenario.train_source);
        object["errors"] = scenario.errors;
        object["warnings"] = scenario.warnings;
        object["failed"] = scenario.failed;
        object["stopped"] =
            scenario.stopped.empty() ? json(nullptr) : json(shown_as_utf8(scenario.stopped));
        object["unreadable"] =
            scenario.unreadable.empty() ? json(nullptr) : json(shown_as_utf8(scenario.unreadable));
        json diagnostics = json::array();
        for (const diagnostic& told : scenario.diagnostics) {
            diagnostics.push_back(diagnostic_json(told));
        }
        object["diagnostics"] = std::move(diagnostics);
        scenarios_.push_back(std::move(object));
    }

    void add_unreadable(const unreadable_path& path) override {
        unreadable_.push_back(
            {{"path", shown_as_utf8(path.path)}, {"message", shown_as_utf8(path.message)}});
    }

    void finish(const check_totals& totals, int exit_status) override {
        json document;
        document["tool"] = "scenario-builder";
        document["version"] = version_;
        document["exit_status"] = exit_status;
        document["totals"] = {{"scenarios", totals.scenarios},
                              {"clean", totals.scenarios - totals.failed -
                                            totals.with_warnings_only - totals.unreadable},
                              {"with_warnings", totals.with_warnings_only},
                              {"failed", totals.failed},
                              {"errors", totals.errors},
                              {"warnings", totals.warnings},
                              {"unreadable", totals.unreadable}};
        document["unreadable"] = std::move(unreadable_);
        document["scenarios"] = std::move(scenarios_);
        const std::string text = document.dump(2) + "\n";
        std::fwrite(text.data(), 1, text.size(), out_);
        std::fflush(out_);
    }

  private:
    std::FILE* out_;
    std::string version_;
    json scenarios_ = json::array();
    json unreadable_ = json::array();
};

}  // namespace

std::unique_ptr<scenario_report> make_json_report(std::FILE* out, const report_settings& settings) {
    return std::make_unique<json_report>(out, settings.tool_version);
}

}  // namespace scenario
