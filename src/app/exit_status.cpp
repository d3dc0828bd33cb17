#include "app/exit_status.h"

#include <cstdio>
#include <string>

#include "source/visible_text.h"

namespace scenario {

int exit_status_of(status_kind kind) {
    switch (kind) {
        case status_kind::success:
            return exit_status::ok;
        case status_kind::invalid_input:
            return exit_status::usage;
        case status_kind::not_found:
        case status_kind::input_output:
        case status_kind::corrupt_file:
        case status_kind::would_overwrite:
            return exit_status::fatal;
    }
    return exit_status::fatal;
}

int exit_status_of(compile_outcome::end how, bool errors_count) {
    switch (how) {
        case compile_outcome::end::compiled:
            return errors_count ? exit_status::errors_recorded : exit_status::ok;
        case compile_outcome::end::stamp_in_use:
        case compile_outcome::end::no_grid:
        case compile_outcome::end::text_not_converted:
        case compile_outcome::end::write_failed:
            return exit_status::fatal;
    }
    return exit_status::fatal;
}

void tell_failure(std::string_view command, std::string_view message) {
    const std::string head =
        command.empty() ? "scenario-builder" : "scenario-builder " + std::string(command);
    // A message may quote a name read from a file: its control characters show as escapes.
    const std::string shown = visible_text(message, /*keep_line_breaks=*/true);
    std::fprintf(stderr, "%s: %s\n", head.c_str(), shown.c_str());
}

int report_failure(std::string_view command, const status& failure) {
    tell_failure(command, failure.message());
    return exit_status_of(failure.kind());
}

}  // namespace scenario
