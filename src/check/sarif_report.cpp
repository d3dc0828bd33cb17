// The SARIF report: one SARIF 2.1.0 log with one run, written when the run ends. Each
// diagnostic is a result whose rule is its code (an error's number, a warning's name), at the
// field that caused it, with the other records it concerns as related locations and the
// obvious mend as a fix. A scenario whose compile stopped is a result of the rule
// "compile-stopped" at its train source; a path that could not be read is a notification of
// the run's invocation, which then did not succeed.
//
// Columns count characters, which in the simulator's single-byte code page are the source's
// bytes; file names are relative references, as the paths were named, or file URIs when the
// paths were absolute.
#include <cctype>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "check/scenario_report.h"
#include "source/code_page.h"

namespace scenario {
namespace {

using json = nlohmann::ordered_json;

constexpr const char* stopped_rule = "compile-stopped";

std::string uri_of(const std::string& path) {
    std::string generic = shown_as_utf8(path);
    for (char& c : generic) {
        if (c == '\\') {
            c = '/';
        }
    }
    std::string uri;
    if (!generic.empty() && generic[0] == '/') {
        uri = "file://";
    } else if (generic.size() > 1 && generic[1] == ':') {
        uri = "file:///";
    }
    for (const char c : generic) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || c == '-' || c == '.' || c == '_' || c == '~' || c == '/' ||
            (c == ':' && uri == "file:///")) {
            uri += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            uri += escaped;
        }
    }
    return uri;
}

// A region needs a line; a range of line 0 is the whole file and has none.
std::optional<json> region_of(const source_range& range) {
    if (range.line < 1) {
        return std::nullopt;
    }
    json region;
    region["startLine"] = range.line;
    if (range.column >= 1) {
        region["startColumn"] = range.column;
        if (range.end_line >= range.line) {
            region["endLine"] = range.end_line;
            region["endColumn"] = std::max(range.end_column, 1);
        }
    }
    return region;
}

json physical_location(const std::string& file, const source_range& range) {
    json location;
    location["artifactLocation"] = {{"uri", uri_of(file)}};
    if (auto region = region_of(range)) {
        location["region"] = std::move(*region);
    }
    return location;
}

class sarif_report final : public scenario_report {
  public:
    sarif_report(std::FILE* out, std::string version) : out_(out), version_(std::move(version)) {}

    void add(const checked_scenario& scenario) override {
        if (!scenario.unreadable.empty()) {
            notify(scenario.train_source, scenario.unreadable);
            return;
        }
        for (const diagnostic& told : scenario.diagnostics) {
            results_.push_back(result_of(told));
        }
        if (!scenario.stopped.empty()) {
            json result;
            result["ruleId"] = stopped_rule;
            result["ruleIndex"] = rule_index(stopped_rule, "error");
            result["level"] = "error";
            result["message"] = {{"text", shown_as_utf8(scenario.stopped)}};
            result["locations"] =
                json::array({{{"physicalLocation", physical_location(scenario.train_source, {})}}});
            results_.push_back(std::move(result));
        }
    }

    void add_unreadable(const unreadable_path& path) override { notify(path.path, path.message); }

    void finish(const check_totals& /*totals*/, int exit_status) override {
        json driver;
        driver["name"] = "scenario-builder";
        driver["version"] = version_;
        driver["rules"] = std::move(rules_);
        json invocation;
        invocation["executionSuccessful"] = exit_status == 0 || exit_status == 1;
        invocation["exitCode"] = exit_status;
        if (!notifications_.empty()) {
            invocation["toolExecutionNotifications"] = std::move(notifications_);
        }
        json run;
        run["tool"] = {{"driver", std::move(driver)}};
        run["invocations"] = json::array({std::move(invocation)});
        run["columnKind"] = "unicodeCodePoints";
        run["results"] = std::move(results_);
        json log;
        log["$schema"] = "https://json.schemastore.org/sarif-2.1.0.json";
        log["version"] = "2.1.0";
        log["runs"] = json::array({std::move(run)});
        const std::string text = log.dump(2) + "\n";
        std::fwrite(text.data(), 1, text.size(), out_);
        std::fflush(out_);
    }

  private:
    std::size_t rule_index(const std::string& code, const char* level) {
        const auto [found, added] = rule_indices_.try_emplace(code, rules_.size());
        if (added) {
            json rule;
            rule["id"] = code;
            rule["defaultConfiguration"] = {{"level", level}};
            rules_.push_back(std::move(rule));
        }
        return found->second;
    }

    json result_of(const diagnostic& told) {
        const char* level = told.level == severity::error ? "error" : "warning";
        json result;
        result["ruleId"] = told.code;
        result["ruleIndex"] = rule_index(told.code, level);
        result["level"] = level;
        result["message"] = {{"text", shown_as_utf8(told.message)}};
        if (!told.file.empty()) {
            result["locations"] =
                json::array({{{"physicalLocation", physical_location(told.file, told.range)}}});
        }
        if (!told.related.empty()) {
            json related = json::array();
            for (const diagnostic_note& note : told.related) {
                json location;
                location["id"] = related.size();
                if (!note.file.empty()) {
                    location["physicalLocation"] = physical_location(note.file, note.range);
                }
                location["message"] = {{"text", shown_as_utf8(note.message)}};
                related.push_back(std::move(location));
            }
            result["relatedLocations"] = std::move(related);
        }
        if (told.fix && !told.file.empty()) {
            if (auto region = region_of(told.fix->range)) {
                json replacement;
                replacement["deletedRegion"] = std::move(*region);
                replacement["insertedContent"] = {{"text", shown_as_utf8(told.fix->replacement)}};
                json change;
                change["artifactLocation"] = {{"uri", uri_of(told.file)}};
                change["replacements"] = json::array({std::move(replacement)});
                json fix;
                fix["description"] = {{"text", shown_as_utf8(told.fix->title)}};
                fix["artifactChanges"] = json::array({std::move(change)});
                result["fixes"] = json::array({std::move(fix)});
            }
        }
        return result;
    }

    void notify(const std::string& path, const std::string& message) {
        json notification;
        notification["level"] = "error";
        notification["message"] = {{"text", shown_as_utf8(path + ": " + message)}};
        notifications_.push_back(std::move(notification));
    }

    std::FILE* out_;
    std::string version_;
    json rules_ = json::array();
    std::map<std::string, std::size_t> rule_indices_;
    json results_ = json::array();
    json notifications_ = json::array();
};

}  // namespace

std::unique_ptr<scenario_report> make_sarif_report(std::FILE* out,
                                                   const report_settings& settings) {
    return std::make_unique<sarif_report>(out, settings.tool_version);
}

}  // namespace scenario
