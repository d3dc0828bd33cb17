// Feeds arbitrary bytes to the train reader as the content of a train source file and compiles
// it with the real compile routine, after the built-in line source. The plan of the line does
// not depend on the train, so the compile leaves it out (j = 0) and spends its time reading.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compile_fuzzing.h"
#include "source/builtin_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scenario;
    static const fuzzing::scratch_folder folder("train_reader");
    static const bool line_written = dati_linea(folder.path(), builtin_identity()).ok();
    fuzzing::require(line_written, "the built-in line source is written");

    const std::string_view content(reinterpret_cast<const char*>(data), size);
    fuzzing::require(replace_file(folder.file(train_source_name(builtin_identity())), content).ok(),
                     "the train source is written");
    fuzzing::compile_and_check(folder, 0);
    return 0;
}
