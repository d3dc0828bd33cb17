#include "app/output_folder.h"

#include <filesystem>
#include <system_error>

namespace scenario {

status make_output_folder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return status::input_output("cannot create folder " + folder + ": " + error.message());
    }
    return status::success();
}

}  // namespace scenario
