// `documents`: the driver's three documents of an author's own scenario, made from its data.
// The two sources are compiled in memory as `check` compiles them (the same errors and
// warnings, the same exit status), then the train sheet and the slowdown order are written,
// and the route notes when there are none yet. A document in the folder with other content is
// the author's own work: without --force nothing is written.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/compile_run.h"
#include "app/exit_status.h"
#include "app/other_content.h"
#include "app/subcommand.h"
#include "app/writing_lock.h"
#include "documents/document_model_of_compile.h"
#include "documents/fixed_columns.h"
#include "documents/generated_documents.h"
#include "source/code_page.h"
#include "source/file_access.h"
#include "source/folder_lock.h"

namespace scenario {
namespace {

constexpr std::string_view command = "documents";

struct documents_request {
    compile_request compile;
    bool force = false;
    std::string train_class = sheet_header{}.train_class;
    std::string mass_tonnes = sheet_header{}.mass_tonnes;
    std::optional<int> braked_percent;
    std::string rank = sheet_header{}.rank;
};

// The header's texts as the sheet holds them: Windows-1252, from the command line's UTF-8.
status header_of(const documents_request& request, sheet_header& header) {
    if (request.rank.size() != 1 ||
        std::isalpha(static_cast<unsigned char>(request.rank[0])) == 0) {
        return status::invalid_input("--rank " + request.rank + ": give one letter, such as B");
    }
    const code_page_conversion train_class = utf8_to_windows_1252(request.train_class);
    if (train_class.how != code_page_conversion::result::converted) {
        return status::invalid_input("--class " + request.train_class +
                                     ": the text has a character that Windows-1252, the "
                                     "documents' code page, has no place for");
    }
    header.train_class = train_class.text;
    header.mass_tonnes = request.mass_tonnes;
    header.rank = request.rank;
    return status::success();
}

struct document_file {
    std::string path;
    std::string bytes;
    bool only_when_absent = false;  // the route notes
};

std::vector<document_file> documents_of(const document_model& model, const std::string& folder,
                                        const scenario_identity& identity) {
    return {
        {join_path(folder, train_sheet_name(identity)),
         compose_document(generated_train_sheet(model)), false},
        {join_path(folder, slowdown_order_name(identity)),
         compose_document(generated_slowdown_order(model)), false},
        {join_path(folder, route_notes_name(identity)),
         compose_document(generated_route_notes(model)), true},
    };
}

status write_documents(const std::vector<document_file>& documents, bool force) {
    std::vector<planned_file> planned;
    std::vector<const document_file*> to_write;
    for (const document_file& document : documents) {
        if (document.only_when_absent && !force && std::filesystem::exists(document.path)) {
            std::fprintf(stderr,
                         "scenario-builder %s: %s is kept: the route notes are written only when "
                         "there are none (--force replaces them)\n",
                         std::string(command).c_str(), document.path.c_str());
            continue;
        }
        planned.push_back({document.path, document.bytes});
        to_write.push_back(&document);
    }
    if (!force) {
        if (const status kept = refuse_other_content(planned, ""); !kept.ok()) {
            return kept;
        }
    }
    for (const document_file* document : to_write) {
        if (const status written = replace_file(document->path, document->bytes); !written.ok()) {
            return written;
        }
    }
    return status::success();
}

int make_documents(documents_request request) {
    // The names first, as every command checks them, before the folder is locked.
    if (const status valid = check_compile_request(request.compile); !valid.ok()) {
        return report_failure(command, valid);
    }
    sheet_header header;
    if (const status checked = header_of(request, header); !checked.ok()) {
        return report_failure(command, checked);
    }
    // The folder is locked from before the sources are read until the documents are written,
    // as for every command that writes into it; a missing folder is the compile's to report.
    folder_lock lock;
    if (std::filesystem::is_directory(request.compile.folder)) {
        if (const status locked = lock_for_writing(command, request.compile.folder, lock);
            !locked.ok()) {
            return report_failure(command, locked);
        }
    }
    std::optional<std::vector<document_file>> documents;
    request.compile.write_compiled_files = false;
    request.compile.after = [&](const compile_context& context, const compile_report& report) {
        if (report.outcome.how != compile_outcome::end::compiled) {
            return;
        }
        sheet_header filled = header;
        const std::int32_t braked =
            request.braked_percent.value_or(context.record.voci[entry::length_and_train].valore1);
        filled.braked_percent = std::to_string(braked);
        documents = documents_of(document_model_of_compile(context, filled), context.options.folder,
                                 context.options.identity);
    };
    const int compiled = compile_scenario(request.compile, command);
    if (!documents) {
        return compiled;
    }
    if (const status written = write_documents(*documents, request.force); !written.ok()) {
        return report_failure(command, written);
    }
    return compiled;
}

}  // namespace

subcommand add_documents_command(CLI::App& app) {
    auto request = std::make_shared<documents_request>();
    CLI::App* parser = app.add_subcommand(
        "documents",
        "Compile DIR/R_linea.txt and DIR/R_T-.txt as `check` does and write the driver's "
        "documents of that scenario into DIR: the train sheet and the slowdown order, and the "
        "route notes when DIR has none");
    parser->add_option("--dir", request->compile.folder, "Folder of the sources and documents")
        ->required();
    parser->add_option("--route", request->compile.route, "Route identifier R")->required();
    parser->add_option("--train", request->compile.train, "Train number T")->required();
    parser->add_flag("--utf8", request->compile.utf8,
                     "Take station names and board texts as UTF-8, as `compile --utf8` does");
    parser->add_flag("--force", request->force,
                     "Overwrite documents in DIR that hold other content, route notes included");
    parser->add_option("--class", request->train_class,
                       "Train classification in the sheet's box (default REGIONALE)");
    parser->add_option("--mass", request->mass_tonnes, "Blocked mass in tonnes (default 300)")
        ->check(CLI::PositiveNumber);
    parser
        ->add_option("--braked", request->braked_percent,
                     "Braked-mass percentage (default: the train file's)")
        ->check(CLI::Range(0, 999));
    parser->add_option("--rank", request->rank,
                       "Rank letter after the highest speed limit (default B)");
    parser->footer(
        "Exit status: as `check` (0 no error, 1 errors in the sources, the documents written "
        "all the same); 2 a source is missing or unreadable, the line file gives no grid, or a "
        "document in DIR holds other content (nothing is written: --force overwrites it); 64 "
        "usage error.");
    return {parser, [request] { return make_documents(*request); }};
}

}  // namespace scenario
