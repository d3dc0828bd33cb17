#include "app/compile_inputs.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/writing_lock.h"
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

status check_sources(const compile_options& options) {
    for (const std::string& name :
         {line_source_name(options.identity), train_source_name(options.identity)}) {
        if (const status readable = check_readable_file(join_path(options.folder, name));
            !readable.ok()) {
            return nothing_written(readable);
        }
    }
    return status::success();
}

}  // namespace

status prepare_compile(const compile_options& options, folder_lock& lock) {
    if (const status folder = check_folder(options); !folder.ok()) {
        return folder;
    }
    if (const status locked = lock_for_writing("compile", options.folder, lock); !locked.ok()) {
        return nothing_written(locked);
    }
    return check_sources(options);
}

status check_compile_inputs(const compile_options& options) {
    if (const status folder = check_folder(options); !folder.ok()) {
        return folder;
    }
    return check_sources(options);
}

}  // namespace scenario
