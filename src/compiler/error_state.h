// The compiler's error state: the code of the last error found while compiling and the
// position in metres that goes with it, as the compiled scenario has always reported
// them. Every error is also kept in a log with the source line that caused it, so that
// authors can be told about each one; the last entry of the log is the final state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/error_codes.h"

namespace scenario {

// A place in a source file; an empty file name means that no source line caused it.
struct source_point {
    std::string file;
    int line = 0;
    int column = 0;
};

struct recorded_error {
    std::int32_t codice = 0;
    std::optional<std::int32_t> posizione;  // only for the codes that carry a position
    source_point where;
    std::string detail;  // what exactly is wrong, in plain English
};

struct recorded_warning {
    source_point where;
    std::string message;
};

class error_state {
  public:
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;

    // Sets the code (and the position, when the code carries one) and logs the error.
    void record(const error_code_entry& code, std::optional<std::int32_t> posizione,
                source_point where, std::string detail = {});
    void warn(source_point where, std::string message);

    const std::vector<recorded_error>& errors() const { return errors_; }
    const std::vector<recorded_warning>& warnings() const { return warnings_; }

  private:
    std::vector<recorded_error> errors_;
    std::vector<recorded_warning> warnings_;
};

}  // namespace scenario
