// Waiting for an author's edits: the files of a folder that `watch` compiles again when they
// change, and the signals that end it. On Linux with inotify and a signalfd, so that the wait
// is one poll and no work is done inside a signal handler.
#pragma once

#include <string>
#include <vector>

#include "source/status.h"

namespace scenario {

class source_watcher {
  public:
    source_watcher() = default;
    ~source_watcher();
    source_watcher(const source_watcher&) = delete;
    source_watcher& operator=(const source_watcher&) = delete;

    // Watches `folder` for changes of the files named, and takes SIGINT and SIGTERM from the
    // default handling. Fails when the folder cannot be watched.
    status open(const std::string& folder, std::vector<std::string> names);

    enum class event { changed, stop, folder_gone };
    // Waits for a change of one of the files (written and closed, renamed into place or
    // removed), for a signal to stop, or until the folder is removed, moved away or can no
    // longer be watched. Editors that save
    // through a temporary file and a rename, or in several writes, make a burst of events:
    // the wait ends when the burst has been quiet for `quiet_ms`.
    event wait(int quiet_ms = 60);

  private:
    int watch_fd_ = -1;
    int signal_fd_ = -1;
    std::vector<std::string> names_;
};

}  // namespace scenario
