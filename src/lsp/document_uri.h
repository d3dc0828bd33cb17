// The `file` URIs by which the client names documents, and the paths they stand for:
// "file:///home/me/R_linea.txt" is /home/me/R_linea.txt, "file:///C:/work/R_linea.txt" (or
// "file:///c%3A/work/R_linea.txt") is C:/work/R_linea.txt, and "file://server/share/x" is
// //server/share/x. Bytes are percent-encoded in the URI; paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario::lsp {

// The path of a file URI; nothing when the URI is of another scheme or is not well formed
// (a bad percent escape, a NUL byte, a relative path).
std::optional<std::string> path_of_file_uri(std::string_view uri);

// The file URI of an absolute path; backslashes of a Windows path (one that starts with a
// drive letter or with two backslashes) are its separators.
std::string file_uri_of_path(std::string_view path);

}  // namespace scenario::lsp
