#include "documents/fixed_columns.h"

#include "source/line_table_writer.h"

namespace scenario {

std::string left_in(std::string_view text, std::size_t width, std::size_t indent) {
    std::string cell(width, ' ');
    if (indent < width) {
        const std::string_view part = text.substr(0, width - indent);
        cell.replace(indent, part.size(), part);
    }
    return cell;
}

std::string right_in(std::string_view text, std::size_t width, std::size_t trailing) {
    if (trailing >= width) {
        return std::string(width, ' ');
    }
    const std::size_t room = width - trailing;
    const std::string_view part = text.substr(0, room);
    return std::string(room - part.size(), ' ') + std::string(part) + std::string(trailing, ' ');
}

std::string centred_in(std::string_view text, std::size_t width) {
    const std::string_view part = text.substr(0, width);
    return left_in(part, width, (width - part.size()) / 2);
}

std::string ruled_row(const std::vector<std::string>& cells) {
    std::string row = " |";
    for (const std::string& cell : cells) {
        row += cell;
        row += '|';
    }
    return row;
}

std::string compose_document(const std::vector<std::string>& lines) {
    line_table table(lines.begin(), lines.end());
    table.push_back(end_marker);
    return compose_line_table(table);
}

}  // namespace scenario
