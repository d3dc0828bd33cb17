// The outcome of an operation outside the compiler's error state: success, or a failure
// with a message that names the file and the cause. Failures are values, never exceptions.
#pragma once

#include <string>
#include <utility>

namespace scenario {

class [[nodiscard]] status {
  public:
    static status success() { return status(); }
    static status failure(std::string message) { return status(std::move(message), true); }

    bool ok() const { return !failed_; }
    const std::string& message() const { return message_; }

  private:
    status() = default;
    status(std::string message, bool failed) : message_(std::move(message)), failed_(failed) {}

    std::string message_;
    bool failed_ = false;
};

}  // namespace scenario
