// Whole-file access on Windows, on the Win32 calls themselves: the partial file is created
// with CREATE_NEW under a random name beside the real one, each piece is written at its
// place, and MoveFileExW puts the finished file over the old one. The folder's lock file is
// locked with LockFileEx. Paths arrive as the
// system's ANSI code page (the program sets the C library's conversions to it at start), so
// the wide form of a path is the name the user gave.
#include "source/file_access.h"

#include <windows.h>

#include <algorithm>
#include <random>

#include "source/folder_lock.h"
#include "source/partial_files.h"
#include "source/windows_text.h"

namespace scenario {
namespace {

using windows_text::message_text;
using windows_text::system_error_text;

std::string describe(const std::filesystem::path& path, std::string_view action, DWORD error) {
    return "cannot " + std::string(action) + " " + message_text(path.native()) + ": " +
           system_error_text(error);
}

// A failure of the system named with its cause. A path that leads nowhere is a file not
// found; any other refusal is one of input or output.
status refused(const std::filesystem::path& path, std::string_view action, DWORD error) {
    const status_kind kind = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                                 ? status_kind::not_found
                                 : status_kind::input_output;
    return status::failure(kind, describe(path, action, error));
}

// Closes the handle when it goes out of scope.
class file_handle {
  public:
    explicit file_handle(HANDLE handle) : handle_(handle) {}
    ~file_handle() { close(); }
    file_handle(const file_handle&) = delete;
    file_handle& operator=(const file_handle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool closed = !valid() || ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// WriteFile takes at most a DWORD of bytes at a time.
constexpr std::size_t largest_transfer = 1u << 30;

bool write_all(HANDLE file, std::string_view bytes, std::uint64_t offset) {
    while (!bytes.empty()) {
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        place.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD asked = static_cast<DWORD>(std::min(bytes.size(), largest_transfer));
        DWORD written = 0;
        if (::WriteFile(file, bytes.data(), asked, &written, &place) == 0 || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
        offset += written;
    }
    return true;
}

bool write_pieces(HANDLE file, const file_pieces& next_piece) {
    for (file_piece piece = next_piece(); !piece.bytes.empty(); piece = next_piece()) {
        if (!write_all(file, piece.bytes, piece.offset)) {
            return false;
        }
    }
    return true;
}

// The partial file beside the real one, created new under ".NAME.partial-" and six random
// characters; a name that is taken is drawn again.
HANDLE create_partial_file(const std::filesystem::path& path, std::wstring& partial) {
    constexpr std::wstring_view characters =
        L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, characters.size() - 1);
    const std::wstring stem = L"." + path.filename().native() + L".partial-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = stem;
        for (int i = 0; i < 6; ++i) {
            name += characters[pick(source)];
        }
        partial = (path.parent_path() / name).native();
        const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

const char path_separator = '\\';

status stage_file_in_pieces(const std::filesystem::path& path, const file_pieces& next_piece,
                            staged_file& staged) {
    staged.discard();
    // A folder in the file's place cannot be replaced; the words are those of other systems.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return status::input_output("cannot write " + message_text(path.native()) +
                                    ": Is a directory");
    }
    // An existing file that may not be written is refused as on other systems, rather than
    // left to the rename, which some file systems let replace it.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return refused(path, "write", ERROR_ACCESS_DENIED);
    }
    remove_stale_partial_files(path);
    std::wstring partial;
    file_handle file(create_partial_file(path, partial));
    if (!file.valid()) {
        return refused(path, "write", ::GetLastError());
    }
    const bool complete = write_pieces(file.get(), next_piece);
    const DWORD write_error = ::GetLastError();
    const bool closed = file.close();
    if (!complete || !closed) {
        const DWORD error_code = complete ? ::GetLastError() : write_error;
        ::DeleteFileW(partial.c_str());
        return refused(path, "write", error_code);
    }
    staged.path_ = path;
    staged.partial_ = partial;
    return status::success();
}

status staged_file::put_in_place() {
    if (path_.empty()) {
        return status::input_output("cannot write: nothing was staged");
    }
    if (::MoveFileExW(partial_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) == 0) {
        const DWORD move_error = ::GetLastError();
        const std::filesystem::path path = path_;
        discard();
        return refused(path, "write", move_error);
    }
    path_.clear();
    partial_.clear();
    return status::success();
}

void staged_file::discard() {
    if (path_.empty()) {
        return;
    }
    ::DeleteFileW(partial_.c_str());
    path_.clear();
    partial_.clear();
}

status read_whole_file(const std::filesystem::path& path, std::string& bytes,
                       const read_limit& limit) {
    bytes.clear();
    // One handle for the check and the read: whatever takes the name meanwhile is not read.
    const file_handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        // A folder cannot be opened this way; it is named as what it is.
        std::error_code kind_error;
        if (std::filesystem::is_directory(path, kind_error)) {
            return status::input_output("cannot read " + message_text(path.native()) +
                                        ": Is a directory");
        }
        return refused(path, "read", error);
    }
    // A device or a pipe could block the reader or never end: only plain files are read.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        return status::input_output("cannot read " + message_text(path.native()) +
                                    ": not a regular file");
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) == 0) {
        return refused(path, "read", ::GetLastError());
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > limit.largest_bytes) {
        return status::corrupt_file(too_large_message(
            message_text(path.native()), static_cast<std::uint64_t>(size.QuadPart), limit));
    }
    // The size is only a guess that lets one read take the file whole; the reading goes on
    // to the end, and refuses a file that grew past the limit meanwhile.
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t used = 0;
    while (true) {
        if (used > limit.largest_bytes) {
            bytes.clear();
            return status::corrupt_file(
                too_large_message(message_text(path.native()), used, limit));
        }
        if (used == bytes.size()) {
            bytes.resize(static_cast<std::size_t>(
                std::min<std::uint64_t>(std::uint64_t{bytes.size()} * 2, limit.largest_bytes + 1)));
        }
        const DWORD asked = static_cast<DWORD>(std::min(bytes.size() - used, largest_transfer));
        DWORD got = 0;
        if (::ReadFile(file.get(), bytes.data() + used, asked, &got, nullptr) == 0) {
            const DWORD error = ::GetLastError();
            bytes.clear();
            return refused(path, "read", error);
        }
        if (got == 0) {
            break;
        }
        used += got;
    }
    bytes.resize(used);
    return status::success();
}

status remove_file(const std::filesystem::path& path) {
    if (::DeleteFileW(path.c_str()) == 0) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            return refused(path, "delete", error);
        }
    }
    return status::success();
}

void remove_partial_file_if_unused(const std::filesystem::path& path) {
    // A writer holds its partial file open without sharing, so the file of a live run cannot
    // be deleted; the refusal is the answer.
    ::DeleteFileW(path.c_str());
}

namespace lock_file_calls {
namespace {

HANDLE native(lock_file_handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The lock covers one byte at the start of the file, which holds nothing: the range only
// names the lock.
bool lock_first_byte(HANDLE file, DWORD flags) {
    OVERLAPPED place{};
    return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | flags, 0, 1, 0, &place) != 0;
}

}  // namespace

opening open(const std::filesystem::path& path, lock_file_handle& handle, status& failure) {
    // Shared for reading and writing, never for deleting: while any run has the file open,
    // no run can remove it (see release).
    constexpr DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    DWORD error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    if (error == ERROR_ACCESS_DENIED) {
        // Reading is enough for the lock, and all that a folder that may not be written
        // gives; a missing file there cannot be made.
        file = ::CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_HIDDEN, nullptr);
        error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (error == ERROR_FILE_NOT_FOUND) {
            return opening::cannot_create;
        }
    }
    if (error == ERROR_SHARING_VIOLATION) {
        return opening::in_use;
    }
    if (error != ERROR_SUCCESS) {
        failure = refused(path, "open the lock file", error);
        return opening::failed;
    }
    handle = reinterpret_cast<lock_file_handle>(file);
    return opening::opened;
}

bool try_lock(lock_file_handle handle) {
    return lock_first_byte(native(handle), LOCKFILE_FAIL_IMMEDIATELY);
}

status wait_for_lock(lock_file_handle handle, const std::filesystem::path& path) {
    if (!lock_first_byte(native(handle), 0)) {
        return refused(path, "lock", ::GetLastError());
    }
    return status::success();
}

bool is_still_named(lock_file_handle, const std::filesystem::path&) {
    // The file is removed only when no run has it open (see release).
    return true;
}

void release(lock_file_handle handle, const std::filesystem::path& path) {
    OVERLAPPED place{};
    ::UnlockFileEx(native(handle), 0, 1, 0, &place);
    ::CloseHandle(native(handle));
    // Opened again without sharing, which fails while any other run has the file open (it
    // waits for the lock, or holds it already): the last run to leave removes the file. A
    // run that comes in the moment that the file is open this way finds it in use and tries
    // again.
    const HANDLE alone = ::CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (alone != INVALID_HANDLE_VALUE) {
        ::CloseHandle(alone);
    }
}

void close(lock_file_handle handle) {
    ::CloseHandle(native(handle));
}

}  // namespace lock_file_calls

}  // namespace scenario
