// Whole-file access on POSIX systems: descriptors, pwrite at each piece's place, mkstemp for
// the partial file and rename(2) over the old file; flock(2) for the folder's lock file and
// for each partial file while its writer works on it.
#include "source/file_access.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "source/folder_lock.h"
#include "source/partial_files.h"
#include "source/run_files.h"

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

// Reads to the end of the file, and no further than `largest` bytes: false with EFBIG for a
// file that grew past it while it was read. The size the file had when opened is only a guess
// that lets one read take it whole; one byte more shows the end without a second allocation.
bool read_all(int descriptor, std::size_t expected, std::uint64_t largest, std::string& bytes) {
    bytes.resize(expected + 1);
    std::size_t used = 0;
    while (true) {
        if (used > largest) {
            errno = EFBIG;
            return false;
        }
        if (used == bytes.size()) {
            bytes.resize(static_cast<std::size_t>(
                std::min<std::uint64_t>(std::uint64_t{bytes.size()} * 2, largest + 1)));
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

// True when the open file is the one that the path names now: not removed, not replaced.
bool is_named(int descriptor, const std::filesystem::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// flock without waiting; false when another open file holds the lock.
bool lock_at_once(int descriptor) {
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The partial file of one replacement, beside the real one and locked for its writer: a run
// that clears stale partial files removes only those it can lock. It is noted as this run's
// from its making to its rename (run_files.h), and removed however the replacement ends
// unless renamed into place, an exception out of a piece's maker (std::bad_alloc) included.
class partial_file {
  public:
    partial_file() = default;
    partial_file(const partial_file&) = delete;
    partial_file& operator=(const partial_file&) = delete;
    ~partial_file() { discard(); }

    // Makes the file; false with errno set when it cannot be. Should a cleaner take a new
    // file in the moment before its lock, the file is left to it and another name is drawn.
    bool make(const std::filesystem::path& path) {
        constexpr int attempts = 100;
        for (int attempt = 0; attempt < attempts; ++attempt) {
            std::string pattern = partial_file_pattern(path);
            const std::unique_lock<std::mutex> held = hold_run_files();
            const int descriptor = ::mkstemp(pattern.data());
            if (descriptor < 0) {
                return false;
            }
            if (lock_at_once(descriptor) && is_named(descriptor, pattern)) {
                descriptor_ = descriptor;
                name_ = std::move(pattern);
                note_run_file(held, name_);
                return true;
            }
            ::close(descriptor);
        }
        errno = EAGAIN;
        return false;
    }

    // The lock belongs to the open file, which a second descriptor keeps open after the first
    // is closed: the partial file stays locked until it has its real name.
    bool keep_locked() {
        keeper_ = ::dup(descriptor_);
        return keeper_ >= 0;
    }

    int descriptor() const { return descriptor_; }
    const std::string& name() const { return name_; }

    // Closes the writing descriptor; false when the close reports a failed write (a network
    // file system may report one only then).
    bool close_for_writing() {
        const int descriptor = std::exchange(descriptor_, -1);
        return ::close(descriptor) == 0;
    }

    bool rename_to(const std::filesystem::path& path) {
        const std::unique_lock<std::mutex> held = hold_run_files();
        if (::rename(name_.c_str(), path.c_str()) != 0) {
            return false;
        }
        forget_run_file(held, name_);
        name_.clear();
        close_all();
        return true;
    }

    // Hands the finished file over to a staged file: its name and the descriptor that keeps it
    // locked. It stays noted as this run's until the staged file puts it in place or removes
    // it.
    std::pair<std::string, int> release() {
        const int keeper = std::exchange(keeper_, -1);
        close_all();
        return {std::exchange(name_, std::string()), keeper};
    }

    // Removes the file unless it was renamed; keeps errno as it was.
    void discard() {
        const int saved = errno;
        if (!name_.empty()) {
            const std::unique_lock<std::mutex> held = hold_run_files();
            ::unlink(name_.c_str());
            forget_run_file(held, name_);
            name_.clear();
        }
        close_all();
        errno = saved;
    }

  private:
    void close_all() {
        for (int* open : {&descriptor_, &keeper_}) {
            if (*open >= 0) {
                ::close(std::exchange(*open, -1));
            }
        }
    }

    std::string name_;
    int descriptor_ = -1;
    int keeper_ = -1;
};

}  // namespace

const char path_separator = '/';

status stage_file_in_pieces(const std::filesystem::path& path, const file_pieces& next_piece,
                            staged_file& staged) {
    staged.discard();
    // An existing file that may not be written is refused as the old writers refused it,
    // rather than silently renamed over.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return refused(path, "write", errno);
    }
    remove_stale_partial_files(path);
    partial_file partial;
    if (!partial.make(path) || !partial.keep_locked()) {
        const int error = errno;
        partial.discard();
        return refused(path, "write", error);
    }
    const bool complete = write_pieces(partial.descriptor(), next_piece);
    const int write_error = errno;
    const bool closed = partial.close_for_writing();
    if (!complete || !closed) {
        const int error = complete ? errno : write_error;
        partial.discard();
        return refused(path, "write", error);
    }
    auto [name, keeper] = partial.release();
    staged.path_ = path;
    staged.partial_ = std::move(name);
    staged.keeper_ = keeper;
    return status::success();
}

status staged_file::put_in_place() {
    if (path_.empty()) {
        return status::input_output("cannot write: nothing was staged");
    }
    {
        const std::unique_lock<std::mutex> held = hold_run_files();
        if (::rename(partial_.c_str(), path_.c_str()) != 0) {
            const int rename_error = errno;
            const std::filesystem::path path = path_;
            ::unlink(partial_.c_str());
            forget_run_file(held, partial_.native());
            ::close(std::exchange(keeper_, -1));
            path_.clear();
            partial_.clear();
            return refused(path, "write", rename_error);
        }
        forget_run_file(held, partial_.native());
    }
    // A partial file is private to its writer (mkstemp's 0600) until it has its real name:
    // a file of that mode is all that the cleaner of stale partial files takes, so a run killed
    // at any moment leaves nothing it would not take. The finished file then gets the
    // permissions that a newly created file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(keeper_, 0666 & ~mask);
    ::close(std::exchange(keeper_, -1));
    path_.clear();
    partial_.clear();
    return status::success();
}

void staged_file::discard() {
    if (path_.empty()) {
        return;
    }
    const int saved = errno;
    {
        const std::unique_lock<std::mutex> held = hold_run_files();
        ::unlink(partial_.c_str());
        forget_run_file(held, partial_.native());
    }
    ::close(std::exchange(keeper_, -1));
    path_.clear();
    partial_.clear();
    errno = saved;
}

status read_whole_file(const std::filesystem::path& path, std::string& bytes,
                       const read_limit& limit) {
    bytes.clear();
    // Without waiting: a FIFO put in the file's place would block an open for reading until a
    // writer came. The check and the read use this one descriptor, whatever the name is given
    // to meanwhile.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) {
        return refused(path, "read", errno);
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) {
        const int error = errno;
        ::close(descriptor);
        return refused(path, "read", error);
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        return refused(path, "read", EISDIR);
    }
    // A pipe or a device could block the reader or never end: only plain files are read.
    if (!S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return status::input_output("cannot read " + path.string() + ": not a regular file");
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > limit.largest_bytes) {
        ::close(descriptor);
        return status::corrupt_file(too_large_message(path.string(), size, limit));
    }
    const bool complete =
        read_all(descriptor, static_cast<std::size_t>(size), limit.largest_bytes, bytes);
    const int read_error = errno;
    ::close(descriptor);
    if (!complete) {
        const std::uint64_t read_so_far = bytes.size();
        bytes.clear();
        if (read_error == EFBIG) {
            return status::corrupt_file(too_large_message(path.string(), read_so_far, limit));
        }
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

void remove_partial_file_if_unused(const std::filesystem::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0) {
        // A link in a partial file's place is no writer's file; a file that cannot be opened
        // cannot be shown to be unused, and stays.
        if (errno == ELOOP) {
            ::unlink(path.c_str());
        }
        return;
    }
    struct stat info {};
    const bool left_by_a_run = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
                               info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0600;
    if (left_by_a_run && lock_at_once(descriptor) && is_named(descriptor, path)) {
        ::unlink(path.c_str());
    }
    ::close(descriptor);
}

namespace {

// ": it belongs to NAME (user N)", for a file that the run may not open.
std::string whose_lock_file(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return "";
    }
    std::string owner = "user " + std::to_string(info.st_uid);
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::array<char, 4096> names{};
    if (::getpwuid_r(info.st_uid, &entry, names.data(), names.size(), &found) == 0 &&
        found != nullptr) {
        owner = std::string(found->pw_name) + " (" + owner + ")";
    }
    return ": it belongs to " + owner + ", who made it with no access for others";
}

}  // namespace

namespace lock_file_calls {

opening open(const std::filesystem::path& path, lock_file_handle& handle, status& failure) {
    // Write access is asked for first: some network file systems lock only files open for
    // writing. Read access is enough here, and is all that a lock file made by another user
    // may give.
    int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (descriptor < 0 && errno == ENOENT) {
            return opening::cannot_create;
        }
    }
    if (descriptor < 0) {
        const int error = errno;
        failure = refused(path, "open the lock file", error);
        if (error == EACCES || error == EPERM) {
            failure = status::failure(failure.kind(),
                                      failure.message() + whose_lock_file(path) + "; " +
                                          "when no run is writing into the folder, remove it");
        }
        return opening::failed;
    }
    // Whatever the umask of the run that made it, every user who may write into the folder
    // may open the lock file: a run of another user must be able to wait on it.
    struct stat info {};
    if (::fstat(descriptor, &info) == 0 && info.st_uid == ::geteuid() &&
        (info.st_mode & 0666) != 0666) {
        ::fchmod(descriptor, 0666);
    }
    handle = descriptor;
    return opening::opened;
}

bool try_lock(lock_file_handle handle) {
    return lock_at_once(static_cast<int>(handle));
}

status wait_for_lock(lock_file_handle handle, const std::filesystem::path& path) {
    while (::flock(static_cast<int>(handle), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return refused(path, "lock", errno);
        }
    }
    return status::success();
}

bool is_still_named(lock_file_handle handle, const std::filesystem::path& path) {
    return is_named(static_cast<int>(handle), path);
}

void release(lock_file_handle handle, const std::filesystem::path& path) {
    // Removed while still locked: a run that waits on this file finds it gone once it has
    // the lock, and starts again on a new one.
    ::unlink(path.c_str());
    ::close(static_cast<int>(handle));
}

void close(lock_file_handle handle) {
    ::close(static_cast<int>(handle));
}

}  // namespace lock_file_calls

}  // namespace scenario
