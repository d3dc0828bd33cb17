#include "compiler/error_state.h"

#include <algorithm>
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

recorded_warning& error_state::warn(const warning_code_entry& code, source_point where,
                                    std::string message) {
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
    return std::any_of(warnings_.begin(), warnings_.end(),
                       [](const recorded_warning& warning) { return warning.loses_a_part; });
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

void error_state::add_beyond_compiled_part(const error_state& scan) {
    std::vector<recorded_error> found = scan.errors_;
    found.insert(found.end(), scan.text_errors_.begin(), scan.text_errors_.end());
    for (const recorded_error& error : found) {
        const auto same = [&](const recorded_error& e) {
            return e.where == error.where && e.detail == error.detail;
        };
        const bool told = std::any_of(errors_.begin(), errors_.end(), same) ||
                          std::any_of(text_errors_.begin(), text_errors_.end(), same);
        if (error.beyond_compiled_part && !told) {
            errors_beyond_.push_back(error);
        }
    }
    for (const recorded_warning& warning : scan.warnings_) {
        const bool told =
            std::any_of(warnings_.begin(), warnings_.end(), [&](const recorded_warning& w) {
                return w.where == warning.where && w.message == warning.message;
            });
        if (warning.beyond_compiled_part && !told) {
            warnings_beyond_.push_back(warning);
        }
    }
}

}  // namespace scenario
