// The text report: every diagnostic as `compile` prints it, with its source line and caret,
// then the scenario's line; at the end the total.
#include <string>

#include "check/scenario_report.h"

namespace scenario {
namespace {

class text_report final : public line_report {
  public:
    using line_report::line_report;

    void add(const checked_scenario& scenario) override {
        put(scenario.text);
        if (scenario_lines()) {
            put(scenario_line(scenario) + "\n");
        }
    }

    void add_unreadable(const unreadable_path& path) override {
        put(path.path + ": cannot be read: " + path.message + "\n");
    }
};

}  // namespace

std::unique_ptr<scenario_report> make_text_report(std::FILE* out, const report_settings& settings) {
    return std::make_unique<text_report>(out, settings.scenario_lines);
}

}  // namespace scenario
