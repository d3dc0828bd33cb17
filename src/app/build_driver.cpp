#include "app/build_driver.h"

#include "app/exit_status.h"
#include "documents/route_notes.h"
#include "documents/slowdown_order.h"
#include "documents/train_sheet.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "source/scenario_files.h"

namespace scenario {
namespace {

// A failure outside the compiler's error state stops the run with a message that names the
// file and the cause.
int stop_with(platform& desktop, const std::string& message, int status) {
    tell_failure("", message);
    desktop.close_window();
    return status;
}

}  // namespace

int errore(platform& desktop, const std::string& a) {
    desktop.show_error_box(" Errore n. " + a);
    return exit_status::fatal;
}

int run_builtin_build(platform& desktop, const std::string& folder) {
    const scenario_identity identity = builtin_identity();
    desktop.show_window();

    using writer = status (*)(const std::string&, const scenario_identity&);
    for (const writer write :
         {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
        if (const status written = write(folder, identity); !written.ok()) {
            return stop_with(desktop, written.message(), exit_status_of(written.kind()));
        }
    }

    compile_context context({folder, identity, true});
    return end_build(desktop, memorizza_percorso(context, 1));
}

int end_build(platform& desktop, const compile_outcome& outcome) {
    // An error recorded while compiling does not stop the built-in build: it ends normally
    // with its files written.
    const int status = exit_status_of(outcome.how, /*errors_count=*/false);
    switch (outcome.how) {
        case compile_outcome::end::stamp_in_use:
            errore(desktop, outcome.fatal_code);
            return status;
        case compile_outcome::end::no_grid:
        case compile_outcome::end::text_not_converted:
        case compile_outcome::end::write_failed:
            return stop_with(desktop, outcome.message, status);
        case compile_outcome::end::written:
            break;
    }
    desktop.close_window();
    return status;
}

}  // namespace scenario
