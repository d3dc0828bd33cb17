#include "compiler/diagnostics.h"

#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/error_messages.h"
#include "source/file_access.h"

namespace scenario {
namespace {

// Control characters from a source would act on the terminal: each shows as one "?", so that
// a caret below keeps its column. Tabs stay.
bool is_control(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

std::string printable(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        if (is_control(static_cast<unsigned char>(c))) {
            c = '?';
        }
    }
    return shown;
}

std::string location(const source_point& where) {
    if (where.file.empty()) {
        return "";
    }
    // Line 0: the whole file is at fault, not one of its lines.
    if (where.line <= 0) {
        return where.file + ": ";
    }
    return where.file + ":" + std::to_string(where.line) + ": ";
}

// A source file split into lines once, however many messages point into it. Line ends are
// those of the field reader: CR LF, a lone LF or a lone CR.
class source_lines {
  public:
    explicit source_lines(const std::string& path) {
        readable_ = read_whole_file(path, content_).ok();
        std::size_t start = 0;
        for (std::size_t i = 0; i < content_.size(); ++i) {
            if (content_[i] != '\r' && content_[i] != '\n') {
                continue;
            }
            lines_.emplace_back(start, i - start);
            if (content_[i] == '\r' && i + 1 < content_.size() && content_[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
        lines_.emplace_back(start, content_.size() - start);
    }

    bool readable() const { return readable_; }

    // Line n, counted from 1; none when the file has no such line.
    std::optional<std::string_view> line(int n) const {
        if (n < 1 || static_cast<std::size_t>(n) > lines_.size()) {
            return std::nullopt;
        }
        const auto [start, length] = lines_[static_cast<std::size_t>(n - 1)];
        return std::string_view(content_).substr(start, length);
    }

  private:
    std::string content_;
    std::vector<std::pair<std::size_t, std::size_t>> lines_;
    bool readable_ = false;
};

class source_quoter {
  public:
    // The source line and a caret under the column, when the file can still be read.
    std::string quote(const source_point& where) {
        if (where.file.empty() || where.line <= 0) {
            return "";
        }
        auto found = files_.find(where.file);
        if (found == files_.end()) {
            found = files_.emplace(where.file, source_lines(where.file)).first;
        }
        const std::optional<std::string_view> line = found->second.line(where.line);
        if (!found->second.readable() || !line) {
            return "";
        }
        std::string under;
        for (std::size_t i = 0; i < line->size() && static_cast<int>(i) + 1 < where.column; ++i) {
            under += (*line)[i] == '\t' ? '\t' : ' ';
        }
        return "    " + printable(*line) + "\n    " + under + "^\n";
    }

  private:
    std::map<std::string, source_lines> files_;
};

}  // namespace

std::string format_error(const recorded_error& error) {
    std::string text = location(error.where) + "error " + std::to_string(error.codice);
    if (error.posizione) {
        text += " at " + std::to_string(*error.posizione) + " m";
    }
    text += ": " + (error.detail.empty() ? error_code_meaning(error.codice) : error.detail);
    return printable(text);
}

std::string format_warning(const recorded_warning& warning) {
    return printable(location(warning.where) + "warning: " + warning.message);
}

void print_diagnostics(std::FILE* out, const error_state& errors) {
    source_quoter quoter;
    for (const recorded_warning& warning : errors.warnings()) {
        std::fprintf(out, "%s\n%s", format_warning(warning).c_str(),
                     quoter.quote(warning.where).c_str());
    }
    for (const recorded_error& error : errors.errors()) {
        std::fprintf(out, "%s\n%s", format_error(error).c_str(), quoter.quote(error.where).c_str());
    }
}

}  // namespace scenario
