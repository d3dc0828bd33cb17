#include "app/other_content.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

#include "source/file_access.h"

namespace scenario {

status refuse_other_content(const std::vector<planned_file>& files, std::string_view force_note) {
    std::vector<std::string> kept;
    for (const planned_file& file : files) {
        std::error_code error;
        const std::filesystem::file_status found = std::filesystem::status(file.path, error);
        if (!std::filesystem::exists(found) || std::filesystem::is_directory(found)) {
            continue;
        }
        // A file of another size differs: it is not read to learn so (it may be huge).
        if (const std::optional<std::uint64_t> size = plain_file_size(file.path);
            size && *size != file.bytes.size()) {
            kept.push_back(file.path);
            continue;
        }
        std::string bytes;
        if (const status read =
                read_whole_file(file.path, bytes, {file.bytes.size(), "the file it would write"});
            !read.ok()) {
            return status::failure(read.kind(), read.message() + ": nothing was written");
        }
        if (bytes != file.bytes) {
            kept.push_back(file.path);
        }
    }
    if (kept.empty()) {
        return status::success();
    }
    std::string names = kept.front();
    for (std::size_t i = 1; i < kept.size(); ++i) {
        names += (i + 1 == kept.size() ? " and " : ", ") + kept[i];
    }
    const bool one = kept.size() == 1;
    return status::failure(status_kind::would_overwrite,
                           "not overwriting " + names + (one ? ", which holds" : ", which hold") +
                               " other content: nothing was written (--force overwrites " +
                               (one ? "it" : "them") + std::string(force_note) + ")");
}

}  // namespace scenario
