// The text of a source file as it was read, and its lines. The readers read a source from
// its text and the messages about it quote the same text, so that a file changed or deleted
// after the reading is still quoted as it was read. Line ends are those of the field reader:
// CR LF, a lone LF or a lone CR.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scenario {

class source_text {
  public:
    explicit source_text(std::string content) : content_(std::move(content)) {}

    std::string_view content() const { return content_; }

    // Line n, counted from 1, without its line end; none when the text has no such line.
    // The text after the last line end is a line of its own, empty when the text ends with a
    // line end.
    std::optional<std::string_view> line(int n) const;

  private:
    std::string content_;
    // Where each line starts, found as far as a line has been asked for: each line end is
    // looked for once, however many lines are asked for. The text is read on one thread.
    mutable std::vector<std::size_t> line_starts_{0};
    mutable bool every_line_found_ = false;
};

// The source texts that one compile has read, by the path they were read from.
class source_texts {
  public:
    // Keeps a text read from the path, in place of one kept before from the same path.
    std::shared_ptr<const source_text> keep(const std::string& path, std::string content);
    std::shared_ptr<const source_text> keep(const std::string& path,
                                            std::shared_ptr<const source_text> text);
    // The text read from the path; none when nothing was read from it.
    const source_text* find(std::string_view path) const;
    // The same text, shared rather than copied: a source may be large.
    std::shared_ptr<const source_text> find_shared(std::string_view path) const;
    void clear() { texts_.clear(); }

  private:
    std::vector<std::pair<std::string, std::shared_ptr<const source_text>>> texts_;
};

}  // namespace scenario
