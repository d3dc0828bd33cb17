#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "app/application_folder.h"
#include "app/platform.h"
#include "app/test_seams.h"
#include "desktop/desktop_module.h"
#include "source/file_access.h"

namespace scenario {
namespace {

// The desktop module beside the program. A module that is missing or does not load leaves
// the run headless, as a display that cannot be opened does.
std::unique_ptr<platform> load_desktop_platform() {
    std::string folder;
    if (!find_application_folder(folder).ok()) {
        return nullptr;
    }
    // Never closed: the platform's code must outlive the platform, and the run ends soon.
    void* module = ::dlopen(join_path(folder, desktop_module_name).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        return nullptr;
    }
    using open_desktop = platform* (*)(const desktop_settings*);
    const auto open = reinterpret_cast<open_desktop>(::dlsym(module, desktop_entry_name));
    if (open == nullptr) {
        return nullptr;
    }
    const desktop_settings settings{test_seams::window_hold(), test_seams::describe_windows()};
    return std::unique_ptr<platform>(open(&settings));
}

}  // namespace

// The same program runs on a desktop and on a build machine without a display: the choice
// is made when the program starts, from whether a display can be opened.
std::unique_ptr<platform> make_platform() {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0') {
        if (auto desktop = load_desktop_platform()) {
            return desktop;
        }
    }
    return make_headless_platform();
}

}  // namespace scenario
