#include <memory>
#include <string>

#include "app/exit_status.h"
#include "app/output_folder.h"
#include "app/subcommand.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"

namespace scenario {

subcommand add_sources_command(CLI::App& app) {
    auto folder = std::make_shared<std::string>();
    CLI::App* parser = app.add_subcommand(
        "sources",
        "Write the built-in line and train source files into DIR without compiling them: the "
        "starting point for a scenario of your own");
    parser->add_option("--dir", *folder, "Folder that receives the two files (created if missing)")
        ->required();
    return {parser, [folder] {
                if (const status made = make_output_folder(*folder); !made.ok()) {
                    return report_failure("", made);
                }
                using writer = status (*)(const std::string&, const scenario_identity&);
                for (const writer write : {dati_linea, dati_treno}) {
                    if (const status written = write(*folder, builtin_identity()); !written.ok()) {
                        return report_failure("", written);
                    }
                }
                return exit_status::ok;
            }};
}

}  // namespace scenario
