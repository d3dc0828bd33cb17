// Whole-file access for every file the system reads or writes in its folder. A file is
// replaced whole or not at all: its bytes go to a temporary file in the same folder,
// which is renamed over the old one only when complete. The calls that reach the operating
// system stand in one file per system (file_access_posix.cpp, file_access_windows.cpp),
// chosen by the build.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "source/status.h"

namespace scenario {

// The separator of the system's paths: a slash on POSIX systems, a backslash on Windows.
extern const char path_separator;

// The path of a file in a folder: the folder, one separator, the name. The separator is
// always inserted, as the system has always composed its paths.
std::string join_path(std::string_view folder, std::string_view name);

status replace_file(const std::filesystem::path& path, std::string_view bytes);

// A piece of a file's bytes and where it stands in the file.
struct file_piece {
    std::uint64_t offset = 0;
    std::string_view bytes;
};

// A file's bytes handed out piece by piece, for a file too large to hold whole: each call
// returns the next piece, valid until the next call; a piece without bytes ends the file.
// The pieces may come in any order; together they must cover the file.
using file_pieces = std::function<file_piece()>;

status replace_file_in_pieces(const std::filesystem::path& path, const file_pieces& next_piece);

// A file's new bytes, written whole under its partial name beside it but not yet in its place.
// Files that belong together are first all written this way and then put in place one after
// the other, so that a failure while writing any of them leaves every old file as it was. A
// staged file that is not put in place is removed when the object ends.
class staged_file {
  public:
    staged_file() = default;
    ~staged_file();
    staged_file(const staged_file&) = delete;
    staged_file& operator=(const staged_file&) = delete;

    // Renames the partial file over the real one; afterwards the object holds nothing.
    status put_in_place();

  private:
    friend status stage_file_in_pieces(const std::filesystem::path& path,
                                       const file_pieces& next_piece, staged_file& staged);
    void discard();

    std::filesystem::path path_;     // the real name; empty when nothing is staged
    std::filesystem::path partial_;  // the partial file that holds the bytes
    int keeper_ = -1;  // where the system needs it: what keeps the partial file locked
};

// Writes the file's bytes into a new partial file beside it, closed and complete, for
// `staged.put_in_place()`. A failure removes the partial file and names the real one.
status stage_file_in_pieces(const std::filesystem::path& path, const file_pieces& next_piece,
                            staged_file& staged);

// The most bytes that a file of its kind can hold, and what it is, for the message that refuses
// a larger one ("a source file", "a compiled file").
struct read_limit {
    std::uint64_t largest_bytes = 0;
    std::string_view kind;
};

// Reads a plain file whole through one descriptor: it is opened without waiting (a pipe or a
// device put in its place cannot block the reader), checked to be a plain file and measured
// there, and read from there, so that nothing swapped in under its name between the check and
// the read is read. A file larger than the limit is refused before a byte of it is read, and
// one that grows past the limit while it is read is refused too (a corrupt file: no file of its
// kind is that large).
status read_whole_file(const std::filesystem::path& path, std::string& bytes,
                       const read_limit& limit);

// The message that refuses a file larger than its limit (file_access_*.cpp).
std::string too_large_message(const std::string& path, std::uint64_t size, const read_limit& limit);

// The size of a plain file, without reading it; none for anything else or on a failure. For
// telling at once that a file differs from bytes of another length.
std::optional<std::uint64_t> plain_file_size(const std::filesystem::path& path);

// Removes a file; a file that is already gone is not a failure.
status remove_file(const std::filesystem::path& path);

}  // namespace scenario
