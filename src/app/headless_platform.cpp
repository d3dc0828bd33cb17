#include <cstdio>

#include "app/platform.h"

namespace scenario {
namespace {

class headless_platform final : public platform {
  public:
    void show_window() override {}
    void close_window() override {}
    void show_error_box(const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    }
};

}  // namespace

std::unique_ptr<platform> make_headless_platform() {
    return std::make_unique<headless_platform>();
}

}  // namespace scenario
