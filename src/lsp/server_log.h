// What the language server tells the person who looks into its work: messages it could not
// read, notifications it passed over, handlers that failed. Silent unless a file was given
// (`lsp --log FILE`); never on standard output, which carries the protocol alone.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace scenario::lsp {

class server_log {
  public:
    server_log() = default;
    ~server_log();
    server_log(const server_log&) = delete;
    server_log& operator=(const server_log&) = delete;

    // Appends to the file from now on; false when it cannot be opened.
    bool open(const std::string& path);
    // Writes one line, when a file is open.
    void write(std::string_view line);
    // True when lines are written: a line that costs work to make is made only then.
    bool enabled();

  private:
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

}  // namespace scenario::lsp
