#include "app/view_page.h"

#include "app/exit_status.h"
#include "view/compile_view.h"

namespace scenario {

int compile_view_page(compile_request request, std::string_view command, view_page& page,
                      compile_tally* tally) {
    page = view_page{};
    status made = status::success();
    request.after = [&](const compile_context& context, const compile_report& report) {
        if (report.outcome.how == compile_outcome::end::no_grid || !context.record.has_grid()) {
            made = status::invalid_input("there is no line to show: " + report.outcome.message);
            page.unusable = made.message();
            page.diagnostics_json = view::diagnostics_of_compile(context, report.diagnostics);
            return;
        }
        made = view::view_data_of_compile(context, report.diagnostics, page.data_json);
    };
    page.title = request.route + ", train " + request.train;
    const int compiled = compile_scenario(request, command, tally);
    if (compiled == exit_status::fatal || compiled == exit_status::usage) {
        page.data_json.clear();
        return compiled;
    }
    if (!made.ok()) {
        page.data_json.clear();
        tell_failure(command, made.message());
        return exit_status::fatal;
    }
    return compiled;
}

}  // namespace scenario
