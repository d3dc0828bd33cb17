#include "app/module_loader.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/application_folder.h"
#include "source/file_access.h"

namespace scenario {

status load_module_entry(const char* file_name, const char* entry_name, void*& entry) {
    entry = nullptr;
    std::string folder;
    if (const status found = find_application_folder(folder); !found.ok()) {
        return found;
    }
    // In the build tree the modules lie beside the program; installed, in their own folder
    // under the library folder of the same prefix, wherever the prefix is.
    const std::string beside = join_path(folder, file_name);
    const std::string installed_folder =
        std::filesystem::path(join_path(folder, SCENARIO_MODULES_FROM_PROGRAM))
            .lexically_normal()
            .string();
    const std::string installed = join_path(installed_folder, file_name);
    struct stat file_status {};
    const bool is_beside = ::stat(beside.c_str(), &file_status) == 0;
    // The loader's own text for a missing file says only "cannot open shared object file".
    if (!is_beside && ::stat(installed.c_str(), &file_status) != 0) {
        return status::not_found(beside +
                                 " is missing: it belongs beside the program (or, "
                                 "installed, in " +
                                 installed_folder + ")");
    }
    const std::string& path = is_beside ? beside : installed;
    // Every symbol is bound now, so that a module that does not fit fails here and not in
    // the middle of its work; and nothing of it is seen by anything loaded later.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = ::dlerror();
        return status::input_output(std::string("cannot load ") + path + ": " +
                                    (reason != nullptr ? reason : "unknown failure"));
    }
    entry = ::dlsym(module, entry_name);
    if (entry == nullptr) {
        return status::corrupt_file(path + " is not a module of this program: it has no " +
                                    entry_name);
    }
    return status::success();
}

}  // namespace scenario
