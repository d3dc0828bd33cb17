#include "app/compile_inputs.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/writing_lock.h"
#include "format/compiled_file_decoders.h"
#include "format/size_limits.h"
#include "source/file_access.h"
#include "source/scenario_files.h"

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

// Route "Lago" with train "1_2" and route "Lago_1" with train "2" give the same item and
// grid files (Lago_1_2.sim, Lago_1_2.dat) and the same train source: two scenarios whose
// names collide so cannot share a folder. The item file holds the route and the train of the
// compile that wrote it, so a compile can see that it would replace another scenario's files.
status check_name_collision(const compile_options& options) {
    const scenario_identity& identity = options.identity;
    const std::string items = join_path(options.folder, item_file_name(identity));
    std::error_code error;
    if (!std::filesystem::is_regular_file(items, error) ||
        std::filesystem::file_size(items, error) > size_limit_reasons::largest_item_file || error) {
        return status::success();
    }
    std::string bytes;
    std::array<voce, numero_voci> voci{};
    if (!read_whole_file(items, bytes, {largest_compiled_file_bytes, "a compiled file"}).ok() ||
        !decode_item_file(bytes, voci).ok()) {
        return status::success();  // not a compiled file: replaced as any earlier file is
    }
    const std::string& route = voci[entry::route].testo;
    const std::string& train = voci[entry::train].testo;
    if (route == identity.nome_percorso ||
        route + "_" + train != identity.nome_percorso + "_" + identity.numero_treno) {
        return status::success();
    }
    return status::failure(
        status_kind::would_overwrite,
        items + " holds route " + route + " with train " + train +
            ", another scenario whose file names are the same as those of route " +
            identity.nome_percorso + " with train " + identity.numero_treno +
            ": compiling would replace its files; give one of the two another route or train "
            "name, or compile them in folders of their own");
}

}  // namespace

status prepare_compile(const compile_options& options, folder_lock& lock, source_texts& read) {
    if (const status folder = check_folder(options); !folder.ok()) {
        return folder;
    }
    if (const status locked = lock_for_writing("compile", options.folder, lock); !locked.ok()) {
        return nothing_written(locked);
    }
    if (const status collision = check_name_collision(options); !collision.ok()) {
        return nothing_written(collision);
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
