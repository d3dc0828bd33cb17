// The reports of `check` and `compile`, one per format: `text`, the diagnostics as the command
// line prints them with a line per scenario and a total; `json`, one document for scripts;
// `sarif`, a SARIF 2.1.0 log, the static-analysis format that code-hosting sites and editors
// show; `github`, the workflow-command lines that annotate a change in a hosted CI run. A
// report receives the scenarios in the order they are to be listed, then the totals; a format
// that is one document writes it at the end, the others as they go.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "check/checked_scenario.h"

namespace scenario {

enum class report_format { text, json, sarif, github };

// "text|json|sarif|github", for the help.
inline constexpr std::string_view report_format_names = "text|json|sarif|github";

std::optional<report_format> report_format_named(std::string_view name);

struct report_settings {
    std::string tool_version;
    // Whether the text and github formats end each scenario with its line and the run with
    // the total: `check` does, `compile` of one scenario does not.
    bool scenario_lines = true;
};

class scenario_report {
  public:
    virtual ~scenario_report() = default;
    virtual void add(const checked_scenario& scenario) = 0;
    virtual void add_unreadable(const unreadable_path& path) = 0;
    virtual void finish(const check_totals& totals, int exit_status) = 0;
};

std::unique_ptr<scenario_report> make_report(report_format format, std::FILE* out,
                                             const report_settings& settings);

// The line that ends a scenario in the text and github formats:
// "DIR/R_T-.txt: 2 errors, 1 warning", "...; stopped: WHY", "...: not read: WHY".
std::string scenario_line(const checked_scenario& scenario);
// The last line of a run: "check: 200 scenarios, 190 clean, 4 with warnings, 6 failed; 9
// errors, 5 warnings", and "; 1 path unreadable" when one was.
std::string total_line(const check_totals& totals);

// Writes a text to the report's stream as it stands.
void put_text(std::FILE* out, const std::string& text);

// The text and github reports: they write each scenario as it comes, with its scenario line
// when asked for, and end with the total line.
class line_report : public scenario_report {
  public:
    line_report(std::FILE* out, bool scenario_lines) : out_(out), scenario_lines_(scenario_lines) {}

    void finish(const check_totals& totals, int exit_status) override;

  protected:
    void put(const std::string& text) const { put_text(out_, text); }
    bool scenario_lines() const { return scenario_lines_; }

  private:
    std::FILE* out_;
    bool scenario_lines_;
};

// One report of each format, each in its own file.
std::unique_ptr<scenario_report> make_text_report(std::FILE* out, const report_settings& settings);
std::unique_ptr<scenario_report> make_json_report(std::FILE* out, const report_settings& settings);
std::unique_ptr<scenario_report> make_sarif_report(std::FILE* out, const report_settings& settings);
std::unique_ptr<scenario_report> make_github_report(std::FILE* out,
                                                    const report_settings& settings);

}  // namespace scenario
