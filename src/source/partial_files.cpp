#include "source/partial_files.h"

#include <algorithm>
#include <system_error>

namespace scenario {
namespace {

constexpr std::string_view partial_marker = ".partial-";
// mkstemp replaces the six X of its template.
constexpr std::string_view random_part = "XXXXXX";

}  // namespace

std::string partial_file_pattern(const std::filesystem::path& path) {
    std::filesystem::path pattern = path.parent_path();
    pattern /= "." + path.filename().string();
    return pattern.string() + std::string(partial_marker) + std::string(random_part);
}

bool is_partial_file_of(std::string_view candidate, std::string_view name) {
    // mkstemp draws each of the six characters from the letters and digits.
    const auto drawn = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    const std::size_t random_start = 1 + name.size() + partial_marker.size();
    return candidate.size() == random_start + random_part.size() && candidate.front() == '.' &&
           candidate.substr(1, name.size()) == name &&
           candidate.substr(1 + name.size(), partial_marker.size()) == partial_marker &&
           std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(random_start),
                       candidate.end(), drawn);
}

void remove_stale_partial_files(const std::filesystem::path& path) {
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const std::string name = path.filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (is_partial_file_of(entry->path().filename().string(), name)) {
            remove_partial_file_if_unused(entry->path());
        }
    }
}

}  // namespace scenario
