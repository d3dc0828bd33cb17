#include "app/output_folder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace scenario {

bool make_output_folder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "scenario-builder: cannot create folder %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace scenario
