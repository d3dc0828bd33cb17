#include <memory>
#include <string>

#include "app/build_driver.h"
#include "app/exit_status.h"
#include "app/output_folder.h"
#include "app/platform.h"
#include "app/subcommand.h"
#include "app/test_seams.h"

namespace scenario {
namespace {

struct build_request {
    std::string folder;
    bool force = false;
};

}  // namespace

subcommand add_build_command(CLI::App& app) {
    auto request = std::make_shared<build_request>();
    CLI::App* parser = app.add_subcommand(
        "build",
        "Run the built-in build with DIR in place of the program's folder: write the two "
        "sources and the three documents, compile, delete the sources");
    parser
        ->add_option("--dir", request->folder,
                     "Folder that receives the scenario (created if missing)")
        ->required();
    parser->add_flag("--force", request->force,
                     "Overwrite a source or document in DIR that holds other content (the "
                     "sources are then deleted after compiling, as always)");
    parser->footer(
        "A source or document already in DIR with other content than the build writes is "
        "someone's own work: without --force the build refuses (exit status 2), names the "
        "file and writes nothing. The compiled files are replaced. Runs into one folder take "
        "turns: a run waits while another writes there, and says so after a second.");
    return {parser, [request] {
                if (const status made = make_output_folder(request->folder); !made.ok()) {
                    return report_failure("", made);
                }
                const auto desktop = make_platform();
                if (const std::string code = test_seams::forced_error_code(); !code.empty()) {
                    return test_seams::run_forced_error_build(*desktop, request->folder, code);
                }
                return run_builtin_build(
                    *desktop, request->folder,
                    request->force ? other_content::replace : other_content::keep);
            }};
}

}  // namespace scenario
