#include "check/scenario_report.h"

namespace scenario {
namespace {

std::string counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace

void check_totals::add(const checked_scenario& scenario) {
    ++scenarios;
    errors += scenario.errors;
    warnings += scenario.warnings;
    if (!scenario.unreadable.empty()) {
        ++unreadable;
    } else if (scenario.failed) {
        ++failed;
    } else if (scenario.warnings > 0) {
        ++with_warnings_only;
    }
}

std::optional<report_format> report_format_named(std::string_view name) {
    if (name == "text") {
        return report_format::text;
    }
    if (name == "json") {
        return report_format::json;
    }
    if (name == "sarif") {
        return report_format::sarif;
    }
    if (name == "github") {
        return report_format::github;
    }
    return std::nullopt;
}

std::unique_ptr<scenario_report> make_report(report_format format, std::FILE* out,
                                             const report_settings& settings) {
    switch (format) {
        case report_format::json:
            return make_json_report(out, settings);
        case report_format::sarif:
            return make_sarif_report(out, settings);
        case report_format::github:
            return make_github_report(out, settings);
        case report_format::text:
            break;
    }
    return make_text_report(out, settings);
}

std::string scenario_line(const checked_scenario& scenario) {
    if (!scenario.unreadable.empty()) {
        return scenario.train_source + ": not read: " + scenario.unreadable;
    }
    std::string line = scenario.train_source + ": " + counted(scenario.errors, "error") + ", " +
                       counted(scenario.warnings, "warning");
    if (!scenario.stopped.empty()) {
        line += "; stopped: " + scenario.stopped;
    }
    return line;
}

std::string total_line(const check_totals& totals) {
    const std::size_t clean =
        totals.scenarios - totals.failed - totals.with_warnings_only - totals.unreadable;
    std::string line = "check: " + counted(totals.scenarios, "scenario") + ", " +
                       std::to_string(clean) + " clean, " +
                       std::to_string(totals.with_warnings_only) + " with warnings, " +
                       std::to_string(totals.failed) + " failed; " +
                       counted(totals.errors, "error") + ", " + counted(totals.warnings, "warning");
    if (totals.unreadable > 0) {
        line += "; " + counted(totals.unreadable, "path") + " unreadable";
    }
    return line;
}

void put_text(std::FILE* out, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out);
}

void line_report::finish(const check_totals& totals, int /*exit_status*/) {
    if (scenario_lines_) {
        put(total_line(totals) + "\n");
    }
    std::fflush(out_);
}

}  // namespace scenario
