// The page of `watch --serve` on 127.0.0.1: the serving module (serve/serving_module.h)
// loaded and started, each compile's page handed to it, and the server stopped, its threads
// joined, when this object goes.
#pragma once

#include <cstdint>
#include <string>

#include "source/status.h"

struct scenario_page_server;
struct scenario_serving_functions;

namespace scenario {

class page_server {
  public:
    page_server() = default;
    ~page_server();
    page_server(const page_server&) = delete;
    page_server& operator=(const page_server&) = delete;

    // Listens at `port` on 127.0.0.1 (0: any free port). Fails when the module cannot be
    // loaded or the port cannot be had, saying which.
    status start(int port);
    int port() const { return port_; }
    // "http://127.0.0.1:PORT/"
    std::string address() const;

    // The page and its data of the next compile, sent to every open page.
    void publish(const std::string& page, const std::string& data);

  private:
    const scenario_serving_functions* functions_ = nullptr;
    scenario_page_server* server_ = nullptr;
    int port_ = 0;
    std::uint64_t generation_ = 0;
};

}  // namespace scenario
