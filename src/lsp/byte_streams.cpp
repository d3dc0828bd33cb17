#include "lsp/byte_streams.h"

#include <algorithm>
#include <cstring>

namespace scenario::lsp {

int file_byte_source::read_byte() {
    // A read error ends the input as its end does: nothing more can come from it.
    const int byte = std::getc(file_);
    return byte == EOF ? -1 : byte;
}

std::size_t file_byte_source::read(char* buffer, std::size_t count) {
    return std::fread(buffer, 1, count, file_);
}

bool file_byte_sink::write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        return false;
    }
    return std::fflush(file_) == 0;
}

int string_byte_source::read_byte() {
    if (next_ >= bytes_.size()) {
        return -1;
    }
    return static_cast<unsigned char>(bytes_[next_++]);
}

std::size_t string_byte_source::read(char* buffer, std::size_t count) {
    const std::size_t taken = std::min(count, bytes_.size() - next_);
    std::memcpy(buffer, bytes_.data() + next_, taken);
    next_ += taken;
    return taken;
}

}  // namespace scenario::lsp
