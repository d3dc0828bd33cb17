#include "app/check_collection.h"

#include <cstdio>

#include "app/exit_status.h"
#include "check/check_pool.h"
#include "check/scenario_search.h"

namespace scenario {

int check_collection(const std::vector<std::string>& paths, const check_settings& settings,
                     report_format format, unsigned jobs) {
    const scenario_search found = find_scenarios(paths);
    const auto report = make_report(format, stdout, {SCENARIO_VERSION, true});
    check_totals totals;
    for (const unreadable_path& path : found.unreadable) {
        report->add_unreadable(path);
        ++totals.unreadable;
    }
    bool any_failed = false;
    bool any_unread = !found.unreadable.empty();
    check_in_order(
        found.scenarios.size(), jobs,
        [&](std::size_t index) { return check_scenario(found.scenarios[index], settings); },
        [&](const checked_scenario& scenario) {
            totals.add(scenario);
            report->add(scenario);
            any_failed = any_failed || scenario.failed;
            any_unread = any_unread || !scenario.unreadable.empty();
        });
    const int status = any_unread   ? exit_status::fatal
                       : any_failed ? exit_status::errors_recorded
                                    : exit_status::ok;
    report->finish(totals, status);
    if (found.scenarios.empty() && found.unreadable.empty()) {
        tell_failure("check",
                     "no scenario found (a train source R_T-.txt with its line source "
                     "R_linea.txt beside it) under the paths named");
    }
    return status;
}

}  // namespace scenario
