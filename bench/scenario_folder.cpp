#include "scenario_folder.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>

#include "long_scenario.h"

namespace scenario::bench {

const scenario_folder& scenario_folder::of_length(std::int32_t length) {
    static std::map<std::int32_t, std::unique_ptr<scenario_folder>> folders;
    std::unique_ptr<scenario_folder>& folder = folders[length];
    if (!folder) {
        folder = std::make_unique<scenario_folder>(length);
    }
    return *folder;
}

scenario_folder::scenario_folder(std::int32_t length) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "scenario-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr || !write_long_scenario(pattern, length)) {
        std::fprintf(stderr, "cannot write the generated scenario into %s\n", pattern.c_str());
        std::exit(2);
    }
    path_ = pattern;
}

scenario_folder::~scenario_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

compile_options scenario_folder::options() const {
    return {path_, {long_route, long_train}, /*delete_sources=*/false};
}

}  // namespace scenario::bench
