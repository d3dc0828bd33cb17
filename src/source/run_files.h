// The files that a run leaves behind only when it is stopped part-way: the partial file it is
// writing and the folder's lock file it holds. Each is noted from the moment it is made (or
// locked) until it is renamed into place (or released), so that a run stopped by SIGINT,
// SIGTERM or a failure that ends it at once can remove them before it ends.
//
// Making a file and noting it, or renaming it and forgetting it, happen while the notes are
// held: a removal waits for such a step to finish, and once it has begun it keeps the notes
// for good, so that the run makes or renames nothing more while it ends.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace scenario {

// Held around a step that makes, renames or removes a noted file.
[[nodiscard]] std::unique_lock<std::mutex> hold_run_files();

// Notes a file made by this run that an interruption must remove; `held` is hold_run_files's.
void note_run_file(const std::unique_lock<std::mutex>& held, std::string path);
// Forgets a file that has been renamed into place, released or removed.
void forget_run_file(const std::unique_lock<std::mutex>& held, std::string_view path);

// Removes every file noted, for a run that is about to end on an interruption, and keeps the
// notes held from then on. Waits for a step under way, except when this very thread holds the
// notes (a failure that ends the run inside such a step): it then removes them all the same.
void remove_files_of_stopped_run();

}  // namespace scenario
