#include "app/desktop_platform.h"
#include "app/platform.h"

namespace scenario {

// The same program runs on a desktop and on a build machine without a display: the choice
// is made when the program starts, from whether a display can be opened.
std::unique_ptr<platform> make_platform() {
    if (auto desktop = make_desktop_platform()) {
        return desktop;
    }
    return make_headless_platform();
}

}  // namespace scenario
