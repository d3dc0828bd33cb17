#include "app/page_server.h"

#include "app/module_loader.h"
#include "serve/serving_module.h"

namespace scenario {

page_server::~page_server() {
    if (server_ != nullptr) {
        functions_->stop(server_);
    }
}

status page_server::start(int port) {
    void* entry = nullptr;
    if (const status loaded =
            load_module_entry(serve::serving_module_name, serve::serving_entry_name, entry);
        !loaded.ok()) {
        return status::failure(
            loaded.kind(), "cannot serve the page without the serving module: " + loaded.message());
    }
    const auto module_functions = reinterpret_cast<decltype(&scenario_serving_module)>(entry);
    functions_ = module_functions(serve::serving_interface_version);
    if (functions_ == nullptr) {
        return status::corrupt_file(std::string("cannot serve the page: the serving module ") +
                                    serve::serving_module_name +
                                    " beside the program comes from another build of it");
    }
    std::int32_t bound = 0;
    scenario_serve_failure failure = scenario_serve_ok;
    server_ = functions_->start(port, &bound, &failure);
    const std::string where = "127.0.0.1:" + std::to_string(port);
    if (server_ == nullptr && failure == scenario_serve_port_in_use) {
        return status::input_output("cannot serve the page at " + where +
                                    ": the port is in use by another program; choose another "
                                    "with --serve PORT, or --serve 0 for any free port");
    }
    if (server_ == nullptr) {
        return status::input_output("cannot serve the page at " + where +
                                    ": the port cannot be listened on");
    }
    port_ = bound;
    return status::success();
}

std::string page_server::address() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

void page_server::publish(const std::string& page, const std::string& data) {
    if (server_ != nullptr) {
        functions_->publish(server_, page.data(), page.size(), data.data(), data.size(),
                            ++generation_);
    }
}

}  // namespace scenario
