#include "lsp/server_log.h"

namespace scenario::lsp {

server_log::~server_log() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool server_log::open(const std::string& path) {
    const std::lock_guard lock(mutex_);
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    file_ = std::fopen(path.c_str(), "ab");
    return file_ != nullptr;
}

bool server_log::enabled() {
    const std::lock_guard lock(mutex_);
    return file_ != nullptr;
}

void server_log::write(std::string_view line) {
    const std::lock_guard lock(mutex_);
    if (file_ == nullptr) {
        return;
    }
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    // Each line is there at once, for a person following the file while the client works.
    std::fflush(file_);
}

}  // namespace scenario::lsp
