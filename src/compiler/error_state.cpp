#include "compiler/error_state.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace scenario {

recorded_error& error_state::record(const error_code_entry& code,
                                    std::optional<std::int32_t> posizione, source_point where,
                                    std::string detail) {
    if (!code.has_position) {
        posizione.reset();
    }
    codice_errore = code.codice;
    if (posizione) {
        posizione_errore = *posizione;
    }
    const bool beyond = beyond_for_error();
    recorded_error& error = errors_.emplace_back(recorded_error{
        code.codice, posizione, std::move(where), std::move(detail), beyond, found_++, {}});
    latest_ = noted::error;
    latest_index_ = errors_.size() - 1;
    return error;
}

bool error_state::keeps_more_warnings() const {
    return (marking_beyond_compiled_part ? warnings_kept_beyond_ : warnings_kept_within_) <
           most_warnings_kept;
}

recorded_warning& error_state::warn(const warning_code_entry& code, source_point where,
                                    std::string message) {
    lost_a_part_ = lost_a_part_ || code.loses_a_part;
    if (!keeps_more_warnings()) {
        // Only what may be asked of a warning just noted: its code.
        ++warnings_not_kept_;
        warnings_not_kept_beyond_ += marking_beyond_compiled_part ? 1 : 0;
        ++found_;
        not_kept_ = {};
        not_kept_.code = code.code;
        not_kept_.loses_a_part = code.loses_a_part;
        latest_ = noted::warning_not_kept;
        return not_kept_;
    }
    ++(marking_beyond_compiled_part ? warnings_kept_beyond_ : warnings_kept_within_);
    recorded_warning& warning = warnings_.emplace_back();
    warning.where = std::move(where);
    warning.message = std::move(message);
    warning.beyond_compiled_part = marking_beyond_compiled_part;
    warning.found = found_++;
    warning.code = code.code;
    warning.loses_a_part = code.loses_a_part;
    latest_ = noted::warning;
    latest_index_ = warnings_.size() - 1;
    return warning;
}

bool error_state::lost_a_part() const {
    return lost_a_part_;
}

void error_state::relate_latest(source_point where, std::string message) {
    const auto relate = [&](auto& entry) {
        if (!where.file.empty() && !(where == entry.where)) {
            entry.related.push_back({std::move(where), std::move(message)});
        }
    };
    switch (latest_) {
        case noted::error:
            relate(errors_[latest_index_]);
            break;
        case noted::warning:
            relate(warnings_[latest_index_]);
            break;
        case noted::text_error:
            relate(text_errors_[latest_index_]);
            break;
        case noted::nothing:
        case noted::warning_not_kept:
            break;
    }
}

void error_state::refuse_text(source_point where, std::string message) {
    const bool beyond = beyond_for_error();
    text_errors_.push_back(
        {0, std::nullopt, std::move(where), std::move(message), beyond, found_++, {}});
    latest_ = noted::text_error;
    latest_index_ = text_errors_.size() - 1;
}

void error_state::stand_at_compile_stop(bool at_stop) {
    if (at_stop && !at_compile_stop_) {
        errors_at_compile_stop_ = 0;
    }
    at_compile_stop_ = at_stop;
}

bool error_state::beyond_for_error() {
    if (at_compile_stop_) {
        return errors_at_compile_stop_++ > 0;
    }
    return marking_beyond_compiled_part;
}

bool operator==(const source_point& a, const source_point& b) {
    return a.file == b.file && a.line == b.line && a.column == b.column;
}

namespace {

// What makes two notes the same: the same message at the same place. Looked up in a set, so
// that a compile with many errors is not compared pair by pair with its scan.
std::string told_key(const source_point& where, std::string_view message) {
    std::string key = where.file;
    key += '\0';
    key += std::to_string(where.line);
    key += ':';
    key += std::to_string(where.column);
    key += '\0';
    key += message;
    return key;
}

}  // namespace

void error_state::add_beyond_compiled_part(const error_state& scan) {
    std::unordered_set<std::string> told;
    for (const auto* list : {&errors_, &text_errors_}) {
        for (const recorded_error& error : *list) {
            told.insert(told_key(error.where, error.detail));
        }
    }
    for (const auto* list : {&scan.errors_, &scan.text_errors_}) {
        for (const recorded_error& error : *list) {
            if (error.beyond_compiled_part && !told.contains(told_key(error.where, error.detail))) {
                errors_beyond_.push_back(error);
            }
        }
    }
    told.clear();
    for (const recorded_warning& warning : warnings_) {
        told.insert(told_key(warning.where, warning.message));
    }
    for (const recorded_warning& warning : scan.warnings_) {
        if (warning.beyond_compiled_part &&
            !told.contains(told_key(warning.where, warning.message))) {
            warnings_beyond_.push_back(warning);
        }
    }
    // The scan counts only what it could not keep beyond the compiled part: what it left out
    // before it is what this compile noted itself.
    warnings_not_kept_ += scan.warnings_not_kept_beyond_;
}

}  // namespace scenario
