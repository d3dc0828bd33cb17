#include "compiler/source_file_checks.h"

#include <utility>

#include "compiler/source_cursor.h"
#include "compiler/unread_fields.h"

namespace scenario {
namespace {

constexpr std::string_view general_header = "[generale]";
// A field further from the header than this, or longer, is no misspelt header.
constexpr int most_edits_from_header = 4;
constexpr std::size_t longest_header_guess = 40;

std::string_view file_noun(source_file file) {
    return file == source_file::line ? "the line file" : "the train file";
}

std::string saved_as(text_encoding encoding) {
    return " is saved as " + std::string(encoding_name(encoding));
}

// What the train lacks when nothing of its file is read.
constexpr std::string_view train_lost =
    "the train has no station, signal, slowdown or speed limit, and its general values are 0";

}  // namespace

text_encoding tell_encoding(compile_context& context, const std::string& path,
                            std::string_view content, source_file file) {
    const text_encoding encoding = encoding_of(content);
    if (encoding == text_encoding::utf8_with_mark) {
        context.errors.warn(warning_code::byte_order_mark, {path, 1, 1},
                            std::string(file_noun(file)) + saved_as(encoding) +
                                ": its first three bytes (EF BB BF) are read as text before "
                                "the first line; save it as Windows-1252 or ASCII, or as "
                                "UTF-8 without the mark");
    } else if (is_utf16(encoding) && file == source_file::train) {
        context.errors.warn(warning_code::utf16_source, {path, 0, 0},
                            std::string(file_noun(file)) + saved_as(encoding) +
                                ", two bytes a character, in which no keyword can be found: "
                                "nothing in it is read, so " +
                                std::string(train_lost) + "; save it as Windows-1252 or ASCII");
    }
    return encoding;
}

void header_guess::consider(std::string_view field, field_location where) {
    if (field.size() > longest_header_guess) {
        return;
    }
    const bool bracket =
        field.find('[') != std::string_view::npos || field.find(']') != std::string_view::npos;
    if (!bracket && !contains_ignoring_case(field, "gener")) {
        return;
    }
    const int edits = edits_to_contain(field, general_header);
    if (edits <= most_edits_from_header && (!found() || edits < edits_)) {
        field_ = std::string(field);
        where_ = where;
        edits_ = edits;
    }
}

std::string missing_header_detail(source_file file, text_encoding encoding,
                                  const header_guess& guess) {
    const std::string noun(file_noun(file));
    if (is_utf16(encoding)) {
        return noun + saved_as(encoding) +
               ", two bytes a character, so its \"[generale]\" header cannot be found and "
               "nothing in it can be read; save it as Windows-1252 or ASCII";
    }
    std::string detail = noun + " has no \"[generale]\" header: nothing in it can be read";
    if (file == source_file::train) {
        detail += ", so " + std::string(train_lost);
    }
    if (guess.found()) {
        detail += "; did you mean " + quoted_field(guess.field()) + " at line " +
                  std::to_string(guess.line()) + "? (write \"[generale]\")";
    } else {
        detail += "; write the line \"[generale]\" before the " +
                  std::string(file == source_file::line ? "settings" : "records");
    }
    return detail;
}

void tell_train_file_yields_nothing(compile_context& context, const std::string& path,
                                    text_encoding encoding, bool header_found,
                                    const header_guess& guess, int records_read) {
    if (is_utf16(encoding)) {
        return;  // told with the encoding
    }
    if (!header_found) {
        context.errors.warn(warning_code::no_general_header, {path, 0, 0},
                            missing_header_detail(source_file::train, encoding, guess));
        if (guess.found()) {
            context.errors.relate_latest({path, guess.where().line, guess.where().column},
                                         "this line may be the header, misspelt");
        }
        return;
    }
    if (records_read == 0) {
        context.errors.warn(warning_code::no_train_records, {path, 0, 0},
                            "the train file holds no record after its \"[generale]\" header: " +
                                std::string(train_lost));
    }
}

}  // namespace scenario
