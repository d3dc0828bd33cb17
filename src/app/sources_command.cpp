#include <memory>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "app/other_content.h"
#include "app/output_folder.h"
#include "app/subcommand.h"
#include "app/writing_lock.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "source/file_access.h"
#include "source/folder_lock.h"

namespace scenario {
namespace {

// The command's messages begin with the program's name alone, as the build's do.
constexpr std::string_view command = "";

struct sources_request {
    std::string folder;
    bool force = false;
};

int write_sources(const sources_request& request) {
    if (const status made = make_output_folder(request.folder); !made.ok()) {
        return report_failure(command, made);
    }
    folder_lock lock;
    if (const status locked = lock_for_writing(command, request.folder, lock); !locked.ok()) {
        return report_failure(command, locked);
    }
    const scenario_identity identity = builtin_identity();
    if (!request.force) {
        const std::vector<planned_file> files = {
            {join_path(request.folder, line_source_name(identity)),
             compose_line_table(builtin_line_table())},
            {join_path(request.folder, train_source_name(identity)),
             compose_line_table(builtin_train_table())},
        };
        if (const status kept = refuse_other_content(files, ""); !kept.ok()) {
            return report_failure(command, kept);
        }
    }
    using writer = status (*)(const std::string&, const scenario_identity&);
    for (const writer write : {dati_linea, dati_treno}) {
        if (const status written = write(request.folder, identity); !written.ok()) {
            return report_failure(command, written);
        }
    }
    return exit_status::ok;
}

}  // namespace

subcommand add_sources_command(CLI::App& app) {
    auto request = std::make_shared<sources_request>();
    CLI::App* parser = app.add_subcommand(
        "sources",
        "Write the built-in line and train source files into DIR without compiling them: the "
        "starting point for a scenario of your own");
    parser
        ->add_option("--dir", request->folder,
                     "Folder that receives the two files (created if missing)")
        ->required();
    parser->add_flag("--force", request->force,
                     "Overwrite a source file in DIR that holds other content");
    parser->footer(
        "A source file already in DIR with other content than the built-in one is someone's "
        "own work: without --force the command refuses (exit status 2), names the file and "
        "writes nothing.");
    return {parser, [request] { return write_sources(*request); }};
}

}  // namespace scenario
