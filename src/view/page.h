// The page of a scenario: one HTML file that holds its script, its style and its data, and
// asks for nothing over the network when opened from a file. The same page, served by `watch
// --serve`, asks its server for each new compile.
#pragma once

#include <string>
#include <string_view>

namespace scenario::view {

// The page with `data_json` (the view data, view_data.h) inline and `title` as its title.
std::string assemble_page(std::string_view title, std::string_view data_json);

// The text of a JSON document made safe to stand inside a <script> element: every "<" becomes
// the JSON escape \u003c, which a "<" can only appear in as part of a string, so that no text
// of the data can end the element or open a comment.
std::string script_safe_json(std::string_view json);

// The text with the characters that HTML gives a meaning escaped.
std::string html_escaped(std::string_view text);

}  // namespace scenario::view
