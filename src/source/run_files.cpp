#include "source/run_files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace scenario {
namespace {

struct noted_files {
    std::mutex mutex;
    std::vector<std::string> paths;
    // The thread inside a held step, so that a removal called from that same thread (a
    // terminate handler) does not wait for itself.
    std::atomic<std::thread::id> holder{};
};

noted_files& notes() {
    // Never destroyed: an interruption may come while the program ends. A run notes at most a
    // partial file and a lock file at a time: with room made first, noting one never asks for
    // memory while a file is made.
    static auto* const files = [] {
        auto* made = new noted_files();
        made->paths.reserve(8);
        return made;
    }();
    return *files;
}

}  // namespace

std::unique_lock<std::mutex> hold_run_files() {
    noted_files& files = notes();
    std::unique_lock<std::mutex> held(files.mutex);
    files.holder = std::this_thread::get_id();
    return held;
}

void note_run_file(const std::unique_lock<std::mutex>& held, std::string path) {
    (void)held;
    notes().paths.push_back(std::move(path));
}

void forget_run_file(const std::unique_lock<std::mutex>& held, std::string_view path) {
    (void)held;
    std::vector<std::string>& paths = notes().paths;
    const auto found = std::find(paths.begin(), paths.end(), path);
    if (found != paths.end()) {
        paths.erase(found);
    }
}

void remove_files_of_stopped_run() {
    noted_files& files = notes();
    // Held by nobody: taken. Held by this thread: it is inside a step and will not finish it.
    // Held by another: its step ends first.
    if (!files.mutex.try_lock() && files.holder != std::this_thread::get_id()) {
        files.mutex.lock();
    }
    // The mutex stays locked: the run ends without making or renaming another file.
    for (const std::string& path : files.paths) {
        std::remove(path.c_str());
    }
    files.paths.clear();
}

}  // namespace scenario
