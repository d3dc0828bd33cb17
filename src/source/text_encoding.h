// How a source file was saved, told from its first bytes. The sources are single bytes of the
// simulator's code page; an editor may save them otherwise: as UTF-16, where every character
// takes two bytes and no keyword can be found, or as UTF-8 with a byte-order mark, three bytes
// that stand before the first line's text. The compile reads the bytes as they are either way;
// this only lets it tell the author why a file yields nothing.
#pragma once

#include <string_view>

namespace scenario {

enum class text_encoding {
    single_byte,          // what the format expects (ASCII, Windows-1252, or UTF-8 without mark)
    utf8_with_mark,       // EF BB BF first
    utf16_little_endian,  // FF FE first, or a zero byte after most characters
    utf16_big_endian,     // FE FF first, or a zero byte before most characters
};

text_encoding encoding_of(std::string_view content);

bool is_utf16(text_encoding encoding);

// "UTF-16 (little-endian)", for messages.
std::string_view encoding_name(text_encoding encoding);

}  // namespace scenario
