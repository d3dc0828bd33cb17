#include "app/output_folder.h"

#include "app/scenario_names.h"

#include <filesystem>
#include <system_error>

namespace scenario {

status make_output_folder(const std::string& folder) {
    if (const status named = check_folder_name("--dir", folder); !named.ok()) {
        return named;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return status::input_output("cannot create folder " + folder + ": " + error.message());
    }
    return status::success();
}

}  // namespace scenario
