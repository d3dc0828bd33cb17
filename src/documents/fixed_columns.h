// The cells of the documents' fixed-pitch tables: a text put into a column of a given width,
// cut when longer, padded with blanks to the width. Every character is one byte (the
// documents are Windows-1252), so a column's width in bytes is its width on the page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

std::string left_in(std::string_view text, std::size_t width, std::size_t indent = 0);
std::string right_in(std::string_view text, std::size_t width, std::size_t trailing = 0);
// Centred; the odd blank goes after the text.
std::string centred_in(std::string_view text, std::size_t width);

// A table row: " |" then each cell followed by "|".
std::string ruled_row(const std::vector<std::string>& cells);

// The document's bytes: each line followed by CR LF, through the line table writer.
std::string compose_document(const std::vector<std::string>& lines);

}  // namespace scenario
