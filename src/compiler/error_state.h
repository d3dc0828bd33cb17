// The compiler's error state: the code of the last error found while compiling and the
// position in metres that goes with it, as the compiled scenario has always reported
// them. Every error is also kept in a log with the source line that caused it, so that
// authors can be told about each one; the last entry of the log is the final state.
//
// Beside the log: warnings, which change nothing that is compiled; errors in texts that
// cannot be converted to the simulator's code page, which leave the compile without output;
// and what a scan of the sources past the point where the compile stopped reading found,
// which is told to the author but never touches the error state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/error_codes.h"
#include "compiler/warning_codes.h"

namespace scenario {

// A place in a source file; an empty file name means that no source line caused it.
struct source_point {
    std::string file;
    int line = 0;
    int column = 0;
};

// Another place that a message is about: the record that already holds a cell, the line that
// a missing value was taken from.
struct related_place {
    source_point where;
    std::string message;
};

// An edit that mends what a warning is about: the text of the line from `where.column` up to
// `end_column` (exclusive; columns count bytes from 1) becomes `replacement`.
struct text_fix {
    source_point where;
    int end_column = 0;
    std::string replacement;
    std::string title;  // what the edit does, for an editor's menu: "write `pendenza`"
};

struct recorded_error {
    std::int32_t codice = 0;
    std::optional<std::int32_t> posizione;  // only for the codes that carry a position
    source_point where;
    std::string detail;  // what exactly is wrong, in plain English
    // Found beyond the part of the sources that the compile read, by the scan after it.
    bool beyond_compiled_part = false;
    std::uint32_t found = 0;  // the order in which errors and warnings were found
    std::vector<related_place> related;
};

struct recorded_warning {
    source_point where;
    std::string message;
    bool beyond_compiled_part = false;
    std::uint32_t found = 0;
    std::string_view code;  // the kind's code, warning_code_table
    std::vector<related_place> related;
    std::optional<text_fix> fix;
    bool loses_a_part = false;  // the kind's, warning_code_entry::loses_a_part
};

// The most warnings that one compile keeps and tells, and as many again of those found beyond
// the compiled part; any further warning is only counted. A source can hold a warning in every
// few bytes, and a list of millions helps nobody while it costs memory and time. Errors are
// all kept: the last of them is the compiled scenario's own error state.
inline constexpr std::size_t most_warnings_kept = 1000;

class error_state {
  public:
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;

    // Sets the code (and the position, when the code carries one) and logs the error. The
    // entry returned may be given related places until the next error is noted.
    recorded_error& record(const error_code_entry& code, std::optional<std::int32_t> posizione,
                           source_point where, std::string detail = {});
    // The entry returned may be given related places and a fix until the next warning. Past
    // most_warnings_kept the warning is only counted (warnings_not_kept), and the entry
    // returned is a scratch one that nothing reads.
    recorded_warning& warn(const warning_code_entry& code, source_point where, std::string message);
    // False once as many warnings are kept as may be: a caller may then leave out the work of
    // composing a message that nobody will read.
    bool keeps_more_warnings() const;
    // How many warnings were noted past most_warnings_kept, beyond the compiled part included.
    std::size_t warnings_not_kept() const { return warnings_not_kept_; }
    // A text that cannot be given to the simulator as the author asked: nothing is written.
    void refuse_text(source_point where, std::string message);
    // Adds another place to the error or warning noted last: the record that already holds a
    // cell, say. Nothing for a place without a file, or the message's own place.
    void relate_latest(source_point where, std::string message);

    const std::vector<recorded_error>& errors() const { return errors_; }
    const std::vector<recorded_warning>& warnings() const { return warnings_; }
    // Whether a warning of a kind that loses a part of the scenario was noted: the compile
    // then does not end with exit status 0.
    bool lost_a_part() const;
    // Code 0: they are no error of the compiled scenario.
    const std::vector<recorded_error>& text_errors() const { return text_errors_; }

    // While set, every error and warning noted is marked as found beyond the compiled part.
    // Only the scan past the compile's stop sets it, as it reads past the field where the
    // compile stopped.
    bool marking_beyond_compiled_part = false;
    // Set by the scan while it stands at that field: the first error there is the one the
    // compile stopped at; a further one (a second error of the same record) lies beyond.
    void stand_at_compile_stop(bool at_stop);

    // Takes from a scan's error state what it found beyond the compiled part and this state
    // has not already told (the same message at the same place); the code and the position
    // stay as they are.
    void add_beyond_compiled_part(const error_state& scan);
    const std::vector<recorded_error>& errors_beyond() const { return errors_beyond_; }
    const std::vector<recorded_warning>& warnings_beyond() const { return warnings_beyond_; }

  private:
    std::vector<recorded_error> errors_;
    std::vector<recorded_warning> warnings_;
    std::vector<recorded_error> text_errors_;
    std::vector<recorded_error> errors_beyond_;
    std::vector<recorded_warning> warnings_beyond_;
    std::uint32_t found_ = 0;
    // Warnings kept within the compiled part and beyond it (a scan notes both), each bounded.
    std::size_t warnings_kept_within_ = 0;
    std::size_t warnings_kept_beyond_ = 0;
    std::size_t warnings_not_kept_ = 0;
    std::size_t warnings_not_kept_beyond_ = 0;
    bool lost_a_part_ = false;
    recorded_warning not_kept_;
    // The list and index of the error or warning noted last, for relate_latest.
    enum class noted { nothing, error, warning, text_error, warning_not_kept };
    noted latest_ = noted::nothing;
    std::size_t latest_index_ = 0;
    bool at_compile_stop_ = false;
    int errors_at_compile_stop_ = 0;

    bool beyond_for_error();
};

bool operator==(const source_point& a, const source_point& b);

}  // namespace scenario
