// The serving module (serve/serving_module.h) on cpp-httplib: the page at "/", the event
// stream at "/events". Each open stream holds one of the server's threads, waiting for the
// next compile; the server ends every stream before it stops, so that stopping never waits
// for a page to go away.
#include <httplib.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "serve/serving_module.h"

namespace {

// Open pages beyond the first few each hold a thread; a reader with many tabs open still
// gets an answer.
constexpr std::size_t server_threads = 32;
// A stream that has had nothing to send for this long gets a comment line, which finds out
// whether the page is still there.
constexpr auto keep_alive_interval = std::chrono::seconds(15);

struct published {
    std::string page;
    std::string data;
    std::uint64_t generation = 0;
};

// The last compile's page and data, and the streams that wait for the next one.
class publication {
  public:
    void publish(std::string page, std::string data, std::uint64_t generation) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            latest_ = std::make_shared<const published>(
                published{std::move(page), std::move(data), generation});
        }
        changed_.notify_all();
    }

    void close() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            closed_ = true;
        }
        changed_.notify_all();
    }

    std::shared_ptr<const published> latest() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return latest_;
    }

    // Waits until there is a compile newer than `seen`, the publication closes or the time
    // runs out; returns the latest compile, or null when closed.
    std::shared_ptr<const published> wait_newer(std::uint64_t seen,
                                                std::chrono::steady_clock::duration most) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, most, [&] {
            return closed_ || (latest_ != nullptr && latest_->generation != seen);
        });
        return closed_ ? nullptr : latest_;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<const published> latest_;
    bool closed_ = false;
};

std::string event_of(const published& compile) {
    // The data is one line of JSON: it needs no splitting into several data lines.
    return "event: scenario\nid: " + std::to_string(compile.generation) +
           "\ndata: " + compile.data + "\n\n";
}

void serve_events(publication& pages, httplib::Response& response) {
    response.set_header("Cache-Control", "no-store");
    auto seen = std::make_shared<std::uint64_t>(0);
    response.set_chunked_content_provider(
        "text/event-stream", [&pages, seen](std::size_t, httplib::DataSink& sink) {
            const std::shared_ptr<const published> compile =
                pages.wait_newer(*seen, keep_alive_interval);
            if (compile == nullptr) {
                sink.done();
                return false;
            }
            std::string text;
            if (compile->generation != *seen) {
                text = event_of(*compile);
                *seen = compile->generation;
            } else {
                text = ": still here\n\n";
            }
            return sink.is_writable() && sink.write(text.data(), text.size());
        });
}

}  // namespace

struct scenario_page_server {
    httplib::Server http;
    publication pages;
    std::thread listener;
};

namespace {

scenario_page_server* start_server(std::int32_t port, std::int32_t* bound_port,
                                   scenario_serve_failure* failure) {
    try {
        auto server = std::make_unique<scenario_page_server>();
        scenario_page_server& s = *server;
        s.http.new_task_queue = [] { return new httplib::ThreadPool(server_threads); };
        // An idle connection of a page is closed soon, so that stopping does not wait for it.
        s.http.set_keep_alive_timeout(1);
        s.http.Get("/", [&s](const httplib::Request&, httplib::Response& response) {
            const std::shared_ptr<const published> compile = s.pages.latest();
            response.set_header("Cache-Control", "no-store");
            response.set_content(compile ? compile->page : std::string(),
                                 "text/html; charset=utf-8");
        });
        s.http.Get("/events", [&s](const httplib::Request&, httplib::Response& response) {
            serve_events(s.pages, response);
        });
        // The socket listens once bound: a page that connects before the accepting thread
        // runs waits in the socket's queue.
        errno = 0;
        const int bound = port == 0 ? s.http.bind_to_any_port("127.0.0.1")
                                    : (s.http.bind_to_port("127.0.0.1", port) ? port : -1);
        if (bound < 0) {
            *failure =
                errno == EADDRINUSE ? scenario_serve_port_in_use : scenario_serve_cannot_listen;
            return nullptr;
        }
        *bound_port = bound;
        s.listener = std::thread([&s] { s.http.listen_after_bind(); });
        *failure = scenario_serve_ok;
        return server.release();
    } catch (...) {
        *failure = scenario_serve_cannot_listen;
        return nullptr;
    }
}

void publish_page(scenario_page_server* server, const char* page, std::size_t page_size,
                  const char* data, std::size_t data_size, std::uint64_t generation) {
    try {
        server->pages.publish(std::string(page, page_size), std::string(data, data_size),
                              generation);
    } catch (...) {
        // Out of memory for a copy: the pages keep the compile before.
    }
}

void stop_server(scenario_page_server* server) {
    server->pages.close();
    server->http.stop();
    if (server->listener.joinable()) {
        server->listener.join();
    }
    delete server;
}

const scenario_serving_functions functions = {start_server, publish_page, stop_server};

}  // namespace

extern "C" __attribute__((visibility("default"))) const scenario_serving_functions*
scenario_serving_module(std::uint32_t interface_version) {
    return interface_version == scenario::serve::serving_interface_version ? &functions : nullptr;
}
