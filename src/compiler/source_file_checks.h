// Checks on a source file as a whole, for the mistakes that make a file yield nothing, or
// much less than it holds: a file saved as UTF-16, in which no keyword can be found; a file
// saved with a byte-order mark; a file whose "[generale]" header is misspelt, so that nothing
// after it is read; a train file that holds no record at all. Each is told once, at the file,
// never as one warning per line. Nothing that is compiled changes.
#pragma once

#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "source/text_encoding.h"

namespace scenario {

// Tells the author how the file was saved when that is not as the format expects: a
// byte-order mark (a warning), or UTF-16 for the train file (an error of the list: the
// train is lost). The line file in UTF-16 is told by its missing header (error 102), whose
// detail missing_header_detail gives. The file's encoding.
text_encoding tell_encoding(compile_context& context, const std::string& path,
                            std::string_view content, source_file file);

// The field of a file that most likely was meant as its "[generale]" header, found while the
// header is looked for: a field with a bracket or the word "generale" close to the header.
class header_guess {
  public:
    void consider(std::string_view field, field_location where);
    bool found() const { return where_.line > 0; }
    int line() const { return where_.line; }
    field_location where() const { return where_; }
    const std::string& field() const { return field_; }

  private:
    std::string field_;
    field_location where_;
    int edits_ = 0;
};

// Why a file has no "[generale]" header, in plain words: "the line file has no ... header:
// nothing in it can be read; did you mean "[generle]" at line 3?", or that it is saved as
// UTF-16.
std::string missing_header_detail(source_file file, text_encoding encoding,
                                  const header_guess& guess);

// The train file: after its reading, when nothing was read from it (no header, UTF-16, or
// no record after the header), the one error of the list that says so.
void tell_train_file_yields_nothing(compile_context& context, const std::string& path,
                                    text_encoding encoding, bool header_found,
                                    const header_guess& guess, int records_read);

}  // namespace scenario
