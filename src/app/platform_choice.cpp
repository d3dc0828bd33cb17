#include "app/platform.h"

namespace scenario {

// Until a desktop implementation is linked in, every run is headless.
std::unique_ptr<platform> make_platform() {
    return make_headless_platform();
}

}  // namespace scenario
