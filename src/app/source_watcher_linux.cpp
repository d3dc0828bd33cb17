#include "app/source_watcher.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace scenario {
namespace {

// The events of an edit: a file written and closed, or moved into the folder under its name
// (an editor's rename over it), or removed (the next save makes it again). A write alone, or
// a file made but not yet closed, is an edit under way: an editor that writes in place may
// have written half the file, and the compile waits for its close.
constexpr std::uint32_t edit_events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE;

// The folder itself removed, or moved away: the names it held are no longer at the path that
// the watch compiles in.
constexpr std::uint32_t folder_events = IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

source_watcher::~source_watcher() {
    if (watch_fd_ >= 0) {
        ::close(watch_fd_);
    }
    if (signal_fd_ >= 0) {
        ::close(signal_fd_);
    }
}

status source_watcher::open(const std::string& folder, std::vector<std::string> names) {
    names_ = std::move(names);
    watch_fd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch_fd_ < 0) {
        return status::input_output(std::string("cannot watch for changes: ") +
                                    std::strerror(errno));
    }
    if (::inotify_add_watch(watch_fd_, folder.c_str(), edit_events | folder_events | IN_ONLYDIR) <
        0) {
        const int error = errno;
        const std::string reason = std::strerror(error);
        return error == ENOENT || error == ENOTDIR
                   ? status::not_found("cannot watch " + folder + ": " + reason)
                   : status::input_output("cannot watch " + folder + ": " + reason);
    }
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    if (::sigprocmask(SIG_BLOCK, &stops, nullptr) != 0 ||
        (signal_fd_ = ::signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK)) < 0) {
        return status::input_output(std::string("cannot take the signals that end the watch: ") +
                                    std::strerror(errno));
    }
    return status::success();
}

source_watcher::event source_watcher::wait(int quiet_ms) {
    bool changed = false;
    for (;;) {
        pollfd waiting[2] = {{signal_fd_, POLLIN, 0}, {watch_fd_, POLLIN, 0}};
        const int ready = ::poll(waiting, 2, changed ? quiet_ms : -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return event::folder_gone;  // nothing more can be waited for
        }
        if (ready == 0) {
            return event::changed;  // the burst is over
        }
        if ((waiting[0].revents & POLLIN) != 0) {
            return event::stop;
        }
        if ((waiting[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return event::folder_gone;
        }
        alignas(inotify_event) char buffer[16 * 1024];
        const ssize_t got = ::read(watch_fd_, buffer, sizeof buffer);
        if (got <= 0) {
            continue;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* happened = reinterpret_cast<const inotify_event*>(buffer + at);
            if ((happened->mask & (IN_IGNORED | folder_events)) != 0) {
                return event::folder_gone;
            }
            if (happened->len > 0 && std::find(names_.begin(), names_.end(),
                                               std::string(happened->name)) != names_.end()) {
                changed = true;
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + happened->len);
        }
    }
}

}  // namespace scenario
