#include "app/format_option.h"

#include <string>

namespace scenario {

void add_format_option(CLI::App* parser, report_format& format) {
    parser
        ->add_option_function<std::string>(
            "--format",
            [&format](const std::string& name) {
                format = report_format_named(name).value_or(report_format::text);
            },
            "How to report: text (as a compiler reports), json (one document), sarif (a SARIF "
            "2.1.0 log) or github (workflow-command annotations)")
        ->check(CLI::IsMember({"text", "json", "sarif", "github"}))
        ->type_name("FORMAT");
}

}  // namespace scenario
