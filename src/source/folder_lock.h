// The lock that a run holds on a folder for as long as it writes there, so that runs sharing
// a folder take turns: each one does its work whole while the others wait. The lock is an
// advisory lock on a file of its own in the folder, ".scenario-builder.lock": hidden from a
// listing, and never taken for a file of a scenario, whose names all hold the route and end
// in .txt, .dat or .sim. The run that leaves removes the file (on POSIX systems always, and a
// run that waited on the removed file starts again on a new one; on Windows when no other
// run has it open), so a folder that no run is writing into holds none. A run that is killed
// loses its lock with its process and leaves the file, which the next run takes and removes.
//
// Only the writing counts: a command that only reads takes no lock. In a folder where no file
// can be created (read-only) a run takes no lock either: it cannot write anything there, and
// its first write fails with the cause.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "source/status.h"

namespace scenario {

inline constexpr std::string_view lock_file_name = ".scenario-builder.lock";

// The open lock file in the terms of the system: a descriptor on POSIX systems, a handle on
// Windows.
using lock_file_handle = std::intptr_t;
inline constexpr lock_file_handle no_lock_file = -1;

// A folder's lock, held from lock_folder until release or the end of the object.
class folder_lock {
  public:
    folder_lock() = default;
    ~folder_lock() { release(); }
    folder_lock(const folder_lock&) = delete;
    folder_lock& operator=(const folder_lock&) = delete;

    // False for a folder that could not be written (see above) and after release.
    bool held() const { return handle_ != no_lock_file; }
    void release();

  private:
    friend status lock_folder(const std::string& folder, folder_lock& lock,
                              const std::function<void()>& on_wait);

    std::filesystem::path path_;
    // The path as noted for an interrupted run (run_files.h), kept so that forgetting it asks
    // for no memory, on the way out of a run that has none left.
    std::string noted_path_;
    lock_file_handle handle_ = no_lock_file;
};

// Takes the folder's lock, waiting for as long as another run holds it. `on_wait` is called
// once, when the wait has lasted a second, so that the user learns why nothing happens. A
// failure names the lock file and the cause.
status lock_folder(const std::string& folder, folder_lock& lock,
                   const std::function<void()>& on_wait);

// The calls that reach the system, in file_access_posix.cpp and file_access_windows.cpp.
namespace lock_file_calls {

enum class opening {
    opened,
    in_use,         // held for a moment by a run that is removing it: try again
    cannot_create,  // missing, and no file can be created in the folder
    failed,
};

// Opens the lock file, creating it when missing.
opening open(const std::filesystem::path& path, lock_file_handle& handle, status& failure);

// Takes the lock if no other run holds it; false when one does.
bool try_lock(lock_file_handle handle);

// Waits until the lock is free and takes it.
status wait_for_lock(lock_file_handle handle, const std::filesystem::path& path);

// True when the file locked is still the one at the path, not one that the run before
// removed while this one waited for it.
bool is_still_named(lock_file_handle handle, const std::filesystem::path& path);

// Releases the lock, removes the file when no other run has it open, and closes it.
void release(lock_file_handle handle, const std::filesystem::path& path);

// Closes the file without removing it.
void close(lock_file_handle handle);

}  // namespace lock_file_calls

}  // namespace scenario
