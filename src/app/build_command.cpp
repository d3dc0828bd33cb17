#include <memory>
#include <string>

#include "app/build_driver.h"
#include "app/exit_status.h"
#include "app/output_folder.h"
#include "app/platform.h"
#include "app/subcommand.h"
#include "app/test_seams.h"

namespace scenario {

subcommand add_build_command(CLI::App& app) {
    auto folder = std::make_shared<std::string>();
    CLI::App* parser = app.add_subcommand(
        "build",
        "Run the built-in build with DIR in place of the program's folder: write the two "
        "sources and the three documents, compile, delete the sources");
    parser->add_option("--dir", *folder, "Folder that receives the scenario (created if missing)")
        ->required();
    return {parser, [folder] {
                if (const status made = make_output_folder(*folder); !made.ok()) {
                    return report_failure("", made);
                }
                const auto desktop = make_platform();
                if (const std::string code = test_seams::forced_error_code(); !code.empty()) {
                    return test_seams::run_forced_error_build(*desktop, *folder, code);
                }
                return run_builtin_build(*desktop, *folder);
            }};
}

}  // namespace scenario
