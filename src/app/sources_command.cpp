#include <cstdio>
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
                if (!make_output_folder(*folder)) {
                    return exit_status::fatal;
                }
                using writer = status (*)(const std::string&, const scenario_identity&);
                for (const writer write : {dati_linea, dati_treno}) {
                    if (const status written = write(*folder, builtin_identity()); !written.ok()) {
                        std::fprintf(stderr, "scenario-builder: %s\n", written.message().c_str());
                        return exit_status::fatal;
                    }
                }
                return exit_status::ok;
            }};
}

}  // namespace scenario
