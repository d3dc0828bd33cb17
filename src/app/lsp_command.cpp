// `lsp`: the language server for editors of the two source files, on standard input and
// output. Standard output carries the protocol's framed messages and nothing else; the
// server logs only into the file of --log. The standard streams are already binary on
// Windows (process_setup_windows.cpp), so the bytes of the framing pass unchanged.
#include <cstdio>
#include <memory>
#include <string>

#include "app/exit_status.h"
#include "app/process_setup.h"
#include "app/subcommand.h"
#include "lsp/byte_streams.h"
#include "lsp/language_server.h"
#include "lsp/message_writer.h"
#include "lsp/scenario_features.h"
#include "lsp/scenario_session.h"
#include "lsp/server_dispatcher.h"
#include "lsp/server_log.h"

namespace scenario {
namespace {

constexpr const char* command = "lsp";

struct lsp_request {
    std::string log_file;
};

int serve(const lsp_request& request) {
    lsp::server_log log;
    if (!request.log_file.empty() && !log.open(request.log_file)) {
        return report_failure(command,
                              status::input_output("cannot open the log file " + request.log_file));
    }
    survive_closed_pipes();
    lsp::file_byte_source input(stdin);
    lsp::file_byte_sink output(stdout);
    lsp::message_writer writer(output);
    lsp::server_dispatcher dispatcher({"scenario-builder", SCENARIO_VERSION}, writer, log);
    lsp::scenario_session session;
    lsp::register_scenario_features(dispatcher, session);
    log.write("scenario-builder " SCENARIO_VERSION " serves the language server protocol");
    const int status = lsp::run_language_server(input, dispatcher, log);
    log.write("ended with exit status " + std::to_string(status));
    return status;
}

}  // namespace

subcommand add_lsp_command(CLI::App& app) {
    auto request = std::make_shared<lsp_request>();
    CLI::App* parser = app.add_subcommand(
        "lsp",
        "Serve the Language Server Protocol (3.17) on standard input and output, for editors "
        "of R_linea.txt and R_T-.txt: the server keeps the documents the editor has open in "
        "step with its changes");
    parser
        ->add_option("--log", request->log_file,
                     "Append what the server does and what it could not read to FILE "
                     "(nothing is logged without it)")
        ->type_name("FILE");
    parser->footer(
        "Exit status: 0 after the client's shutdown and exit; 1 when exit comes without "
        "shutdown or the input ends before them; 2 when the log file cannot be opened; 64 "
        "usage error.");
    return {parser, [request] { return serve(*request); }};
}

}  // namespace scenario
