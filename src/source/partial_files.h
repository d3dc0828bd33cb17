// The partial files of a replacement. A file is written whole under a temporary name in its
// own folder and renamed over the real name only when complete (see file_access.h). The
// temporary name is the real one with a leading dot and ".partial-" and six random
// characters after it: hidden from a listing, and never taken for the real file by anything
// that looks for that name. A writer keeps its partial file to itself until the file has its
// real name (on POSIX systems with a lock on it, on Windows by keeping it open without
// sharing). A process killed while writing leaves its partial file behind; the next
// replacement of the same file removes it, and leaves alone those that a live run is still
// writing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scenario {

// The template for mkstemp: "FOLDER/.NAME.partial-XXXXXX".
std::string partial_file_pattern(const std::filesystem::path& path);

// True when `candidate` (a file name, without folder) has the name of a partial file of the file
// `name`: exactly ".NAME.partial-" and six letters or digits, as mkstemp draws them.
bool is_partial_file_of(std::string_view candidate, std::string_view name);

// Removes the partial files that earlier, interrupted replacements of the file left in its
// folder. What cannot be removed stays; it is never mistaken for the file.
void remove_stale_partial_files(const std::filesystem::path& path);

// Removes the partial file unless a live run is writing it, or it is not one that a run left
// (file_access_posix.cpp, file_access_windows.cpp). On POSIX systems a run's partial file is a
// plain file of the run's user with the mode that mkstemp gives, 0600, until it is renamed; a
// file of that name that someone made otherwise (a backup copy, 0644) is theirs and stays.
void remove_partial_file_if_unused(const std::filesystem::path& path);

}  // namespace scenario
