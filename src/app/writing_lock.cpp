#include "app/writing_lock.h"

#include "app/exit_status.h"
#include "source/file_access.h"

namespace scenario {

status lock_for_writing(std::string_view command, const std::string& folder, folder_lock& lock) {
    return lock_folder(folder, lock, [&] {
        tell_failure(command, "waiting for another run that is writing into " + folder +
                                  " (it holds " + join_path(folder, lock_file_name) + ")");
    });
}

}  // namespace scenario
