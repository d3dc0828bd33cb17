#include "app/compile_inputs.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/writing_lock.h"
#include "compiler/size_limits.h"
#include "source/file_access.h"

namespace scenario {
namespace {

status nothing_written(const status& failure) {
    return status::failure(failure.kind(), "nothing was written: " + failure.message());
}

status check_folder(const compile_options& options) {
    std::error_code error;
    const std::filesystem::file_status folder = std::filesystem::status(options.folder, error);
    if (!std::filesystem::exists(folder)) {
        return nothing_written(
            status::not_found("the folder " + options.folder + " does not exist"));
    }
    if (!std::filesystem::is_directory(folder)) {
        return nothing_written(status::not_found(options.folder + " is not a folder"));
    }
    return status::success();
}

std::string without_suffix(std::string name, std::string_view suffix) {
    if (name.size() > suffix.size() && name.ends_with(suffix)) {
        name.resize(name.size() - suffix.size());
    }
    return name;
}

bool source_exists(const compile_options& options, const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(join_path(options.folder, name), error);
}

// An author who names a source file where the route or the train is asked for ("--train
// 5284-", "--route R_linea.txt") is told which name was meant, when that one's file is there.
std::string meant_identity(const compile_options& options) {
    const scenario_identity& given = options.identity;
    std::string route = without_suffix(without_suffix(given.nome_percorso, ".txt"), "_linea");
    if (route != given.nome_percorso && source_exists(options, line_source_name({route, ""}))) {
        return "; --route names the route, not its file: did you mean --route " + route + "?";
    }
    std::string train = without_suffix(given.numero_treno, ".txt");
    while (train.size() > 1 && train.back() == '-') {
        train.pop_back();
    }
    const std::string route_prefix = given.nome_percorso + "_";
    if (train.size() > route_prefix.size() && train.starts_with(route_prefix)) {
        train = train.substr(route_prefix.size());
    }
    if (train != given.numero_treno &&
        source_exists(options, train_source_name({given.nome_percorso, train}))) {
        return "; --train names the train, not its file: did you mean --train " + train + "?";
    }
    return "";
}

status read_sources(const compile_options& options, source_texts& read) {
    for (const std::string& name :
         {line_source_name(options.identity), train_source_name(options.identity)}) {
        const std::string path = join_path(options.folder, name);
        std::string content;
        if (const status readable =
                read_whole_file(path, content, {largest_source_bytes, "a source file"});
            !readable.ok()) {
            return nothing_written(
                status::failure(readable.kind(), readable.message() + meant_identity(options)));
        }
        read.keep(path, std::move(content));
    }
    return status::success();
}

}  // namespace

status prepare_compile(const compile_options& options, folder_lock& lock, source_texts& read) {
    if (const status folder = check_folder(options); !folder.ok()) {
        return folder;
    }
    if (const status locked = lock_for_writing("compile", options.folder, lock); !locked.ok()) {
        return nothing_written(locked);
    }
    return read_sources(options, read);
}

status check_compile_inputs(const compile_options& options, source_texts& read) {
    if (const status folder = check_folder(options); !folder.ok()) {
        return folder;
    }
    return read_sources(options, read);
}

}  // namespace scenario
