#include "app/application_folder.h"

#include <filesystem>
#include <system_error>

namespace scenario {

status find_application_folder(std::string& folder) {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return status::not_found("cannot find the program's own folder: " + error.message());
    }
    folder = executable.parent_path().string();
    return status::success();
}

}  // namespace scenario
