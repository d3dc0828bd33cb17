// The parts of whole-file access that are the same on every system; the calls that reach the
// system are in file_access_posix.cpp and file_access_windows.cpp.
#include "source/file_access.h"

#include <system_error>

namespace scenario {

std::string join_path(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += path_separator;
    path += name;
    return path;
}

status replace_file_in_pieces(const std::filesystem::path& path, const file_pieces& next_piece) {
    staged_file staged;
    if (const status written = stage_file_in_pieces(path, next_piece, staged); !written.ok()) {
        return written;
    }
    return staged.put_in_place();
}

staged_file::~staged_file() {
    discard();
}

std::optional<std::uint64_t> plain_file_size(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    return size;
}

std::string too_large_message(const std::string& path, std::uint64_t size,
                              const read_limit& limit) {
    return "cannot read " + path + ": it is " + std::to_string(size) + " bytes, more than " +
           std::string(limit.kind) + " can hold (at most " + std::to_string(limit.largest_bytes) +
           " bytes)";
}

status replace_file(const std::filesystem::path& path, std::string_view bytes) {
    bool handed_out = false;
    return replace_file_in_pieces(path, [&]() -> file_piece {
        if (handed_out) {
            return {};
        }
        handed_out = true;
        return {0, bytes};
    });
}

}  // namespace scenario
