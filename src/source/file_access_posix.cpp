// Whole-file access on POSIX systems: descriptors, pwrite at each piece's place, mkstemp for
// the partial file and rename(2) over the old file.
#include "source/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "source/partial_files.h"

namespace scenario {
namespace {

// A failure of the system named with its cause. A path that leads nowhere is a file not
// found; any other refusal is one of input or output.
status refused(const std::filesystem::path& path, std::string_view action, int error) {
    const status_kind kind =
        error == ENOENT || error == ENOTDIR ? status_kind::not_found : status_kind::input_output;
    return status::failure(
        kind, "cannot " + std::string(action) + " " + path.string() + ": " + std::strerror(error));
}

bool write_all(int descriptor, std::string_view bytes, std::uint64_t offset) {
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(descriptor, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
    return true;
}

// Every piece written whole at its place.
bool write_pieces(int descriptor, const file_pieces& next_piece) {
    for (file_piece piece = next_piece(); !piece.bytes.empty(); piece = next_piece()) {
        if (!write_all(descriptor, piece.bytes, piece.offset)) {
            return false;
        }
    }
    return true;
}

// Reads to the end of the file. The size the file had when opened is only a guess that
// lets one read take it whole; one byte more shows the end without a second allocation.
bool read_all(int descriptor, std::size_t expected, std::string& bytes) {
    bytes.resize(expected + 1);
    std::size_t used = 0;
    while (true) {
        if (used == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(descriptor, bytes.data() + used, bytes.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return true;
}

}  // namespace

const char path_separator = '/';

status replace_file_in_pieces(const std::filesystem::path& path, const file_pieces& next_piece) {
    // An existing file that may not be written is refused as the old writers refused it,
    // rather than silently renamed over.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return refused(path, "write", errno);
    }
    remove_stale_partial_files(path);
    std::string pattern = partial_file_pattern(path);
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        return refused(path, "write", errno);
    }
    const bool complete = write_pieces(descriptor, next_piece);
    const int write_error = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!complete || !closed) {
        ::unlink(pattern.c_str());
        return refused(path, "write", complete ? errno : write_error);
    }
    // A temporary file is private to its writer; the finished file gets the permissions
    // that a newly created file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(pattern.c_str(), 0666 & ~mask);
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        const int rename_error = errno;
        ::unlink(pattern.c_str());
        return refused(path, "write", rename_error);
    }
    return status::success();
}

status read_whole_file(const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return refused(path, "read", EISDIR);
    }
    // A pipe or a device could block the reader or never end: only plain files are read.
    const std::filesystem::file_status kind = std::filesystem::status(path, error);
    if (std::filesystem::exists(kind) && !std::filesystem::is_regular_file(kind)) {
        return status::input_output("cannot read " + path.string() + ": not a regular file");
    }
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return refused(path, "read", errno);
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(descriptor);
        return refused(path, "read", error);
    }
    const bool complete = read_all(descriptor, static_cast<std::size_t>(info.st_size), bytes);
    const int read_error = errno;
    ::close(descriptor);
    if (!complete) {
        return refused(path, "read", read_error);
    }
    return status::success();
}

status remove_file(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return refused(path, "delete", errno);
    }
    return status::success();
}

}  // namespace scenario
