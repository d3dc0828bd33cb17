#include "app/build_driver.h"

#include <vector>

#include "app/exit_status.h"
#include "app/other_content.h"
#include "app/writing_lock.h"
#include "documents/route_notes.h"
#include "documents/slowdown_order.h"
#include "documents/train_sheet.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "source/file_access.h"
#include "source/folder_lock.h"
#include "source/scenario_files.h"

namespace scenario {
namespace {

// The text files of the build in the order it writes them: its writer, the lines it
// writes and the name it writes them under.
struct text_file {
    status (*write)(const std::string&, const scenario_identity&);
    const line_table& (*table)();
    std::string (*name)(const scenario_identity&);
};

constexpr text_file text_files[] = {
    {dati_linea, builtin_line_table, line_source_name},
    {dati_treno, builtin_train_table, train_source_name},
    {dati_note, route_notes_table, route_notes_name},
    {dati_rallentamenti, slowdown_order_table, slowdown_order_name},
    {dati_scheda, train_sheet_table, train_sheet_name},
};

std::vector<planned_file> planned_text_files(const std::string& folder,
                                             const scenario_identity& identity) {
    std::vector<planned_file> files;
    for (const text_file& file : text_files) {
        files.push_back({join_path(folder, file.name(identity)), compose_line_table(file.table())});
    }
    return files;
}

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

int run_builtin_build(platform& desktop, const std::string& folder, other_content existing) {
    const scenario_identity identity = builtin_identity();
    desktop.show_window();

    // Everything from the first look at the folder to the deletion of the sources happens
    // under the lock: another run's sources are never read or deleted by this one.
    folder_lock lock;
    if (const status locked = lock_for_writing("", folder, lock); !locked.ok()) {
        return stop_with(desktop, locked.message(), exit_status_of(locked.kind()));
    }
    if (existing == other_content::keep) {
        if (const status kept =
                refuse_other_content(planned_text_files(folder, identity),
                                     ", and the build deletes the two sources after compiling");
            !kept.ok()) {
            return stop_with(desktop, kept.message(), exit_status_of(kept.kind()));
        }
    }
    for (const text_file& file : text_files) {
        if (const status written = file.write(folder, identity); !written.ok()) {
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
        case compile_outcome::end::compiled:
            break;
    }
    desktop.close_window();
    return status;
}

}  // namespace scenario
