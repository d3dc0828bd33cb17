#include "lsp/document_uri.h"

#include <cctype>

namespace scenario::lsp {
namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::string> percent_decoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        char c = text[at];
        if (c == '%') {
            if (at + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = hex_value(text[at + 1]);
            const int low = hex_value(text[at + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            c = static_cast<char>(high * 16 + low);
            at += 2;
        }
        if (c == '\0') {
            return std::nullopt;
        }
        decoded += c;
    }
    return decoded;
}

bool is_letter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool starts_with_drive(std::string_view path) {
    return path.size() >= 2 && is_letter(path[0]) && path[1] == ':';
}

bool starts_with_scheme(std::string_view uri, std::string_view scheme) {
    if (uri.size() < scheme.size()) {
        return false;
    }
    for (std::size_t at = 0; at < scheme.size(); ++at) {
        if (std::tolower(static_cast<unsigned char>(uri[at])) != scheme[at]) {
            return false;
        }
    }
    return true;
}

// Letters, digits, "-._~" and the separators of a path stand for themselves in a URI.
bool stays_as_is(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_' ||
           c == '~' || c == '/' || c == ':';
}

}  // namespace

std::optional<std::string> path_of_file_uri(std::string_view uri) {
    if (!starts_with_scheme(uri, "file:")) {
        return std::nullopt;
    }
    std::string_view rest = uri.substr(5);
    // A query or a fragment names no part of a file.
    rest = rest.substr(0, rest.find_first_of("?#"));
    std::string authority;
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        const std::optional<std::string> host =
            percent_decoded(rest.substr(0, slash == std::string_view::npos ? rest.size() : slash));
        if (!host) {
            return std::nullopt;
        }
        authority = *host == "localhost" ? "" : *host;
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    std::optional<std::string> path = percent_decoded(rest);
    if (!path || !path->starts_with('/')) {
        return std::nullopt;
    }
    if (!authority.empty()) {
        return "//" + authority + *path;
    }
    if (starts_with_drive(std::string_view(*path).substr(1))) {
        path->erase(0, 1);  // "/C:/work" is the Windows path C:/work
    }
    return path;
}

std::string file_uri_of_path(std::string_view path) {
    std::string separated(path);
    const bool windows_path = starts_with_drive(path) || path.starts_with("\\\\");
    if (windows_path) {
        for (char& c : separated) {
            c = c == '\\' ? '/' : c;
        }
    }
    // A path of a server, "//server/share/x", gives the server as the URI's authority.
    std::string uri = separated.starts_with("//") ? "file:" : "file://";
    if (starts_with_drive(separated)) {
        uri += '/';
    }
    constexpr const char* digits = "0123456789ABCDEF";
    for (const char c : separated) {
        if (stays_as_is(c)) {
            uri += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            uri += '%';
            uri += digits[byte >> 4];
            uri += digits[byte & 0x0f];
        }
    }
    return uri;
}

}  // namespace scenario::lsp
