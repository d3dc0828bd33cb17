// The github report: one workflow command per diagnostic, which a hosted CI run shows as an
// annotation on the line of the change,
//
//   ::error file=DIR/R_T-.txt,line=64,col=5,endLine=64,endColumn=9,title=error 16::MESSAGE
//   ::warning file=DIR/R_linea.txt,line=17,col=1,...,title=warning unread-key::MESSAGE
//
// and a `::notice` for each other record a diagnostic concerns; then, as plain lines that the
// run's log shows, the line of each scenario and the total. The values are escaped as the
// commands require: a percent sign, a carriage return and a line feed everywhere, and a colon
// and a comma in the properties too.
#include <string>

#include "check/scenario_report.h"
#include "source/code_page.h"

namespace scenario {
namespace {

std::string escaped(std::string_view text, bool property) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '%':
                out += "%25";
                break;
            case '\r':
                out += "%0D";
                break;
            case '\n':
                out += "%0A";
                break;
            case ':':
                out += property ? "%3A" : ":";
                break;
            case ',':
                out += property ? "%2C" : ",";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string command(std::string_view kind, const std::string& file, const source_range& range,
                    const std::string& title, const std::string& message) {
    std::string line = "::" + std::string(kind);
    std::string properties;
    const auto add = [&](std::string_view name, const std::string& value) {
        properties +=
            (properties.empty() ? " " : ",") + std::string(name) + "=" + escaped(value, true);
    };
    if (!file.empty()) {
        add("file", shown_as_utf8(file));
        if (range.line >= 1) {
            add("line", std::to_string(range.line));
            if (range.column >= 1) {
                add("col", std::to_string(range.column));
                if (range.end_line == range.line && range.end_column >= range.column) {
                    add("endLine", std::to_string(range.end_line));
                    add("endColumn", std::to_string(range.end_column));
                }
            }
        }
    }
    if (!title.empty()) {
        add("title", title);
    }
    return line + properties + "::" + escaped(shown_as_utf8(message), false) + "\n";
}

class github_report final : public line_report {
  public:
    using line_report::line_report;

    void add(const checked_scenario& scenario) override {
        for (const diagnostic& told : scenario.diagnostics) {
            const bool error = told.level == severity::error;
            put(command(error ? "error" : "warning", told.file, told.range,
                        (error ? "error " : "warning ") + told.code, told.message));
            for (const diagnostic_note& note : told.related) {
                put(command("notice", note.file, note.range, "note", note.message));
            }
        }
        if (!scenario.stopped.empty()) {
            put(command("error", scenario.train_source, {}, "compile stopped", scenario.stopped));
        }
        if (!scenario.unreadable.empty()) {
            put(command("error", scenario.train_source, {}, "not read", scenario.unreadable));
        }
        if (scenario_lines()) {
            put(shown_as_utf8(scenario_line(scenario)) + "\n");
        }
    }

    void add_unreadable(const unreadable_path& path) override {
        put(command("error", "", {}, "cannot be read", path.path + ": " + path.message));
    }
};

}  // namespace

std::unique_ptr<scenario_report> make_github_report(std::FILE* out,
                                                    const report_settings& settings) {
    return std::make_unique<github_report>(out, settings.scenario_lines);
}

}  // namespace scenario
