// The text report: every diagnostic as `compile` prints it, with its source line and caret,
// then the scenario's line; at the end the total.
#include <string>

#include "check/scenario_report.h"

namespace scenario {
namespace {

void put(std::FILE* out, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out);
}

class text_report final : public scenario_report {
  public:
    text_report(std::FILE* out, bool scenario_lines) : out_(out), scenario_lines_(scenario_lines) {}

    void add(const checked_scenario& scenario) override {
        put(out_, scenario.text);
        if (scenario_lines_) {
            put(out_, scenario_line(scenario) + "\n");
        }
    }

    void add_unreadable(const unreadable_path& path) override {
        put(out_, path.path + ": cannot be read: " + path.message + "\n");
    }

    void finish(const check_totals& totals, int /*exit_status*/) override {
        if (scenario_lines_) {
            put(out_, total_line(totals) + "\n");
        }
        std::fflush(out_);
    }

  private:
    std::FILE* out_;
    bool scenario_lines_;
};

}  // namespace

std::unique_ptr<scenario_report> make_text_report(std::FILE* out, const report_settings& settings) {
    return std::make_unique<text_report>(out, settings.scenario_lines);
}

}  // namespace scenario
