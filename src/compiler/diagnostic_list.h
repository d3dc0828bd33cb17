// The compile's errors and warnings as one ordered list of values, the one form in which every
// front end receives them: the command line prints it (diagnostics.h), an editor's language
// server sends it, a page marks it on the line. Each value says how bad it is, its stable code
// (an error's number, a warning's name from warning_codes.h), the file and the range of the
// field that caused it, the message, the other records it concerns and, where the mend is
// obvious, the edit that mends it.
//
// The order is the order in which the command line prints: every warning, then every error in
// the order found (the last one is the compiled files' error state), then what a scan past the
// compile's stop found, in the order found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/error_state.h"
#include "source/source_text.h"

namespace scenario {

enum class severity : std::uint8_t { error, warning };

// Lines and columns count from 1, columns in bytes of the source text; the end is exclusive.
// Line 0 stands for the file as a whole.
struct source_range {
    int line = 0;
    int column = 0;
    int end_line = 0;
    int end_column = 0;

    bool operator==(const source_range&) const = default;
};

struct diagnostic_note {
    std::string file;
    source_range range;
    std::string message;
};

struct diagnostic_fix {
    source_range range;
    std::string replacement;
    std::string title;
};

struct diagnostic {
    severity level = severity::error;
    // "15" for error 15, "unread-key" for a warning, "text-code-page" for a text that the
    // simulator's code page cannot hold.
    std::string code;
    std::int32_t codice = 0;                // the error's number; 0 for the others
    std::optional<std::int32_t> posizione;  // for the errors that carry a position
    std::string file;                       // empty when no source line caused it
    source_range range;
    std::string message;  // what is wrong, led by "beyond the compiled part: " when so
    bool beyond_compiled_part = false;
    std::vector<diagnostic_note> related;
    std::optional<diagnostic_fix> fix;
};

// The code of text errors: no number of the compiled scenario's, but an error all the same.
inline constexpr std::string_view text_error_code = "text-code-page";

std::vector<diagnostic> list_diagnostics(const error_state& errors, const source_texts& sources);

diagnostic diagnostic_of(const recorded_error& error, const source_texts& sources);
diagnostic diagnostic_of(const recorded_warning& warning, const source_texts& sources);

// The range of the field that starts at a point: a number up to the blank or comma after its
// digits, any other field up to its comma or line end without its trailing blanks. A point
// past the end of its line is an empty range there; a point without a line is the whole file.
source_range field_range(const source_texts& sources, const source_point& where);
source_range field_range_in_line(std::string_view line, int line_number, int column);

}  // namespace scenario
