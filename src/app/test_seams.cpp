#include "app/test_seams.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "app/build_driver.h"
#include "app/exit_status.h"
#include "compiler/error_codes.h"
#include "source/builtin_line.h"
#include "source/scenario_files.h"

namespace scenario::test_seams {
namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// A test must not be able to hang the run by mistake.
constexpr int longest_hold_ms = 60000;

}  // namespace

std::chrono::milliseconds window_hold() {
    const std::string_view text = environment("SCENARIO_TEST_HOLD_WINDOW_MS");
    int milliseconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), milliseconds);
    if (error != std::errc() || end != text.data() + text.size() || milliseconds < 0) {
        return std::chrono::milliseconds(0);
    }
    return std::chrono::milliseconds(milliseconds < longest_hold_ms ? milliseconds
                                                                    : longest_hold_ms);
}

bool describe_windows() {
    return environment("SCENARIO_TEST_DESCRIBE_WINDOWS") == "1";
}

std::string forced_error_code() {
    const std::string_view code = environment("SCENARIO_TEST_FORCE_ERROR");
    // Only the codes that the compile routine can raise through `errore`.
    for (const error_code_entry& fatal :
         {error_code::format_stamp_slot_taken, error_code::scenario_code_slot_taken}) {
        if (code == std::to_string(fatal.codice)) {
            return std::string(code);
        }
    }
    return {};
}

int run_forced_error_build(platform& desktop, const std::string& folder, const std::string& code) {
    desktop.show_window();
    // One file before the call, so that a test can tell "nothing written after the call"
    // from "wrote into another folder".
    if (const status written = dati_linea(folder, builtin_identity()); !written.ok()) {
        desktop.close_window();
        return exit_status_of(written.kind());
    }
    return errore(desktop, code);
}

}  // namespace scenario::test_seams
