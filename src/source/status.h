// The outcome of an operation outside the compiler's error state: success, or a failure of a
// kind with a message that names the file and the cause. Failures are values, never
// exceptions. The kind says what went wrong, so that the program can end with the exit
// status that goes with it without reading the message.
#pragma once

#include <string>
#include <utility>

namespace scenario {

enum class status_kind {
    success,
    not_found,      // a file or folder that is not there
    invalid_input,  // a request that makes no sense (an option's value, a range)
    input_output,   // the system refused a read or a write (permissions, a full disk)
    corrupt_file,   // a file that is there but does not hold what its kind must hold
    // a file that the command would replace holds other content: someone's own work
    would_overwrite,
};

class [[nodiscard]] status {
  public:
    static status success() { return status(); }
    static status failure(status_kind kind, std::string message) {
        return status(kind, std::move(message));
    }
    static status not_found(std::string message) {
        return failure(status_kind::not_found, std::move(message));
    }
    static status invalid_input(std::string message) {
        return failure(status_kind::invalid_input, std::move(message));
    }
    static status input_output(std::string message) {
        return failure(status_kind::input_output, std::move(message));
    }
    static status corrupt_file(std::string message) {
        return failure(status_kind::corrupt_file, std::move(message));
    }

    bool ok() const { return kind_ == status_kind::success; }
    status_kind kind() const { return kind_; }
    const std::string& message() const { return message_; }

  private:
    status() = default;
    status(status_kind kind, std::string message)
        : message_(std::move(message)),
          // A failure is never success, whatever kind its producer gave.
          kind_(kind == status_kind::success ? status_kind::input_output : kind) {}

    std::string message_;
    status_kind kind_ = status_kind::success;
};

}  // namespace scenario
