#include "source/folder_lock.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "source/file_access.h"
#include "source/run_files.h"

namespace scenario {
namespace {

using std::chrono::steady_clock;

// How long a run waits without a word, and how often it looks again meanwhile. The look
// costs nothing; a whole build takes a few tens of milliseconds.
constexpr auto quiet_wait = std::chrono::seconds(1);
constexpr auto look_again = std::chrono::milliseconds(5);

}  // namespace

void folder_lock::release() {
    if (held()) {
        // Forgotten before it is removed: once released, the name may be another run's file.
        const std::unique_lock<std::mutex> noted = hold_run_files();
        forget_run_file(noted, noted_path_);
        lock_file_calls::release(handle_, path_);
        handle_ = no_lock_file;
    }
}

status lock_folder(const std::string& folder, folder_lock& lock,
                   const std::function<void()>& on_wait) {
    lock.release();
    const std::filesystem::path path = join_path(folder, lock_file_name);
    const steady_clock::time_point started = steady_clock::now();
    bool told = false;
    // Says once why the run waits, when it has waited a while; true once said.
    const auto waited_long = [&] {
        if (!told && steady_clock::now() - started >= quiet_wait) {
            told = true;
            if (on_wait) {
                on_wait();
            }
        }
        return told;
    };

    while (true) {
        lock_file_handle handle = no_lock_file;
        status failure = status::success();
        switch (lock_file_calls::open(path, handle, failure)) {
            case lock_file_calls::opening::opened:
                break;
            case lock_file_calls::opening::in_use:
                waited_long();
                std::this_thread::sleep_for(look_again);
                continue;
            case lock_file_calls::opening::cannot_create:
                return status::success();
            case lock_file_calls::opening::failed:
                return failure;
        }
        // The first second is spent looking again and again, so that a short wait stays
        // short; after it the run says why it waits and sleeps until the lock is free.
        bool taken = lock_file_calls::try_lock(handle);
        while (!taken && !waited_long()) {
            std::this_thread::sleep_for(look_again);
            taken = lock_file_calls::try_lock(handle);
        }
        if (!taken) {
            if (const status waited = lock_file_calls::wait_for_lock(handle, path); !waited.ok()) {
                lock_file_calls::close(handle);
                return waited;
            }
        }
        // The run before may have removed the file while this one waited on it; the lock on
        // a removed file keeps nobody out, so the run starts again on the file now there.
        if (!lock_file_calls::is_still_named(handle, path)) {
            lock_file_calls::close(handle);
            continue;
        }
        // Noted as this run's while it holds the lock: a run stopped by a signal removes it
        // as a run that leaves does, still holding the lock.
        lock.noted_path_ = path.string();
        const std::unique_lock<std::mutex> noted = hold_run_files();
        note_run_file(noted, lock.noted_path_);
        lock.path_ = path;
        lock.handle_ = handle;
        return status::success();
    }
}

}  // namespace scenario
