#include "source/line_table_writer.h"

#include "source/file_access.h"

namespace scenario {

std::string compose_line_table(const line_table& table) {
    std::string bytes;
    for (const std::string_view line : table) {
        if (line == end_marker) {
            break;
        }
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

status write_line_table(const std::string& path, const line_table& table) {
    return replace_file(path, compose_line_table(table));
}

}  // namespace scenario
