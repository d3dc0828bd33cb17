#include <cstdlib>
#include <string>

#include "app/module_loader.h"
#include "app/platform.h"
#include "app/test_seams.h"
#include "desktop/desktop_module.h"

namespace scenario {
namespace {

// The desktop module's windows behind the platform interface. Only plain C values pass into
// the module (see desktop/desktop_module.h): the error text goes as the characters of the
// string, which the module reads during the call and does not keep.
class desktop_proxy final : public platform {
  public:
    desktop_proxy(const scenario_desktop_functions& functions, scenario_desktop* desktop)
        : functions_(functions), desktop_(desktop) {}
    desktop_proxy(const desktop_proxy&) = delete;
    desktop_proxy& operator=(const desktop_proxy&) = delete;
    ~desktop_proxy() override { functions_.close(desktop_); }

    void show_window() override { functions_.show_window(desktop_); }
    void close_window() override { functions_.close_window(desktop_); }
    void show_error_box(const std::string& text) override {
        functions_.show_error_box(desktop_, text.c_str());
    }

  private:
    const scenario_desktop_functions& functions_;
    scenario_desktop* desktop_;
};

// The desktop module beside the program. A module that is missing, does not load or comes
// from another build leaves the run headless, as a display that cannot be opened does.
std::unique_ptr<platform> load_desktop_platform() {
    void* entry = nullptr;
    if (!load_module_entry(desktop_module_name, desktop_entry_name, entry).ok()) {
        return nullptr;
    }
    const auto module_functions = reinterpret_cast<decltype(&scenario_desktop_module)>(entry);
    const scenario_desktop_functions* functions = module_functions(desktop_interface_version);
    if (functions == nullptr) {
        return nullptr;
    }
    const scenario_desktop_settings settings{test_seams::window_hold().count(),
                                             test_seams::describe_windows() ? 1 : 0};
    scenario_desktop* desktop = functions->open(&settings);
    if (desktop == nullptr) {
        return nullptr;
    }
    return std::make_unique<desktop_proxy>(*functions, desktop);
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
