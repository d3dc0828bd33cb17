// The serving module: the page of `watch --serve` on a local HTTP server, with every new
// compile pushed to the open pages as a server-sent event. It lives in a module of its own
// beside the program (`scenario-serve.so`), which only `watch --serve` loads: the HTTP library
// and the TLS and compression libraries under it cost every other run their loading.
//
// As with the drawing module, plain C crosses: numbers, byte ranges that the module copies
// during the call, and a handle that the module made and alone frees. No C++ object, no
// exception and no allocation of one side freed by the other passes, so the module may carry
// a C++ runtime other than the program's.
//
//   GET /         the page (the same page as `view --out` writes)
//   GET /events   an event stream: event "scenario", its id the compile's number and its data
//                 the page's data, once on connecting and again after each compile
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// One running server; only the module knows what is inside.
struct scenario_page_server;

enum scenario_serve_failure : std::int32_t {
    scenario_serve_ok = 0,
    scenario_serve_port_in_use = 1,
    scenario_serve_cannot_listen = 2,  // any other reason the port cannot be had
};

struct scenario_serving_functions {
    // Listens on 127.0.0.1 at `port` (0: a free port that the system picks), answering in
    // threads of its own. On success returns the server and sets `*bound_port`; otherwise
    // returns null and sets `*failure`.
    scenario_page_server* (*start)(std::int32_t port, std::int32_t* bound_port,
                                   scenario_serve_failure* failure);
    // Takes a new page and its data (copied during the call) as compile number `generation`,
    // and sends the data to every open page.
    void (*publish)(scenario_page_server* server, const char* page, std::size_t page_size,
                    const char* data, std::size_t data_size, std::uint64_t generation);
    // Ends every open event stream, stops listening, waits for the server's threads and
    // frees the server.
    void (*stop)(scenario_page_server* server);
};

// The module's entry point: its table of functions when it was built for `interface_version`,
// otherwise null.
const scenario_serving_functions* scenario_serving_module(std::uint32_t interface_version);

}  // extern "C"

namespace scenario::serve {

inline constexpr const char* serving_module_name = "scenario-serve.so";
inline constexpr const char* serving_entry_name = "scenario_serving_module";
// Changes whenever the table above changes.
inline constexpr std::uint32_t serving_interface_version = 1;

}  // namespace scenario::serve
