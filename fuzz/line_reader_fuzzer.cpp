// Feeds arbitrary bytes to the line reader as the content of a line source file and compiles
// it with the real compile routine, beside the built-in train source. The first byte chooses
// the compile: odd builds the plan of the line (j = 1), even does not (j = 0), which explores
// the readers many times faster than building up to a million plan rows every run.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compile_fuzzing.h"
#include "source/builtin_train.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scenario;
    if (size == 0) {
        return 0;
    }
    static const fuzzing::scratch_folder folder("line_reader");
    static const bool train_written = dati_treno(folder.path(), builtin_identity()).ok();
    fuzzing::require(train_written, "the built-in train source is written");

    const std::int32_t j = data[0] & 1;
    const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
    fuzzing::require(replace_file(folder.file(line_source_name(builtin_identity())), content).ok(),
                     "the line source is written");
    fuzzing::compile_and_check(folder, j);
    return 0;
}
