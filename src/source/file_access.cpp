#include "source/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "source/partial_files.h"

namespace scenario {
namespace {

std::string describe(const std::filesystem::path& path, std::string_view action, int error) {
    return "cannot " + std::string(action) + " " + path.string() + ": " + std::strerror(error);
}

bool write_all(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string join_path(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '/';
    path += name;
    return path;
}

status replace_file(const std::filesystem::path& path, std::string_view bytes) {
    // An existing file that may not be written is refused as the old writers refused it,
    // rather than silently renamed over.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return status::failure(describe(path, "write", errno));
    }
    remove_stale_partial_files(path);
    std::string pattern = partial_file_pattern(path);
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        return status::failure(describe(path, "write", errno));
    }
    const bool complete = write_all(descriptor, bytes);
    const int write_error = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!complete || !closed) {
        ::unlink(pattern.c_str());
        return status::failure(describe(path, "write", complete ? errno : write_error));
    }
    // A temporary file is private to its writer; the finished file gets the permissions
    // that a newly created file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(pattern.c_str(), 0666 & ~mask);
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        const int rename_error = errno;
        ::unlink(pattern.c_str());
        return status::failure(describe(path, "write", rename_error));
    }
    return status::success();
}

status read_whole_file(const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return status::failure("cannot read " + path.string() + ": Is a directory");
    }
    std::ifstream input(path, std::ios::binary);
    if (!input) {
        return status::failure(describe(path, "read", errno));
    }
    bytes.assign(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    if (input.bad()) {
        return status::failure(describe(path, "read", errno));
    }
    return status::success();
}

status remove_file(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return status::failure(describe(path, "delete", errno));
    }
    return status::success();
}

}  // namespace scenario
