// What the two reader targets share: a scratch folder for one fuzzing process, the real compile
// routine run on the sources in it, and the checks that every compile must pass whatever its
// input. A check that fails stops the process, which libFuzzer reports as a finding.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "compiler/compile_routine.h"
#include "compiler/diagnostics.h"
#include "format/compiled_file_decoders.h"
#include "format/compiled_files.h"
#include "format/size_limits.h"
#include "source/file_access.h"
#include "source/scenario_files.h"

namespace scenario::fuzzing {

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "compile check failed: %s\n", what);
        std::abort();
    }
}

// One folder per process, on a memory file system when there is one: every run writes its
// source and the compiled files there. It is removed when the process ends normally; a
// crashing process leaves it behind for a look.
class scratch_folder {
  public:
    explicit scratch_folder(std::string_view target) {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path_ = (base / ("scenario-fuzz-" + std::string(target) + "-" + std::to_string(::getpid())))
                    .string();
        std::filesystem::remove_all(path_, error);
        std::filesystem::create_directories(path_, error);
        require(!error, "the scratch folder can be created");
    }
    ~scratch_folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return join_path(path_, name); }

  private:
    std::string path_;
};

inline bool exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

// The bytes that the plan's layout gives: a tag for every element and the value that it tags.
// The plan is the compiler's steps or a table read back; both tell each element's tag.
template <typename plan>
std::size_t line_file_size(const plan& profilo) {
    std::size_t size = 0;
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga <= profilo.ultima_riga(); ++riga) {
            const profile_tag tag = profilo.tag(riga, colonna);
            size += profile_tag_bytes + (tag == profile_tag::reale    ? profile_real_bytes
                                         : tag == profile_tag::intero ? profile_integer_bytes
                                                                      : 0);
        }
    }
    return size;
}

// The compiled files are complete: each has the size that its table gives, and the item table
// decodes back to the record's.
inline void check_written_files(const scratch_folder& folder, const compile_context& context) {
    const scenario_record& record = context.record;
    const scenario_identity& identity = context.options.identity;

    // The grid file is checked by its size only: decoding it back costs as much as the rest of
    // a run, and its encoder has tests of its own.
    std::error_code error;
    require(std::filesystem::file_size(folder.file(grid_file_name(identity)), error) ==
                grid_cell_bytes * record.celle.size(),
            "the grid file fits its cells");

    std::string bytes;
    require(read_whole_file(folder.file(item_file_name(identity)), bytes,
                            {largest_compiled_file_bytes, "a compiled file"})
                .ok(),
            "the item file is written");
    std::array<voce, numero_voci> voci{};
    require(decode_item_file(bytes, voci).ok(), "the item file decodes");
    for (std::size_t k = 0; k < voci.size(); ++k) {
        voce expected = record.voci[k];
        expected.testo.resize(std::min(expected.testo.size(), item_testo_max_bytes));
        require(voci[k] == expected, "the item file decodes to the item table");
    }

    const std::string line_file = folder.file(compiled_line_name(identity));
    if (record.compila_linea != 0) {
        require(record.profilo.has_value(), "a compiled line has a plan");
        require(std::filesystem::file_size(line_file, error) == line_file_size(*record.profilo),
                "the line file fits the plan");
    } else {
        require(!exists(line_file), "no line file without the plan");
    }
}

// Compiles the sources in the folder with the real compile routine, as the compile command
// does, and checks what every compile must leave behind.
inline void compile_and_check(const scratch_folder& folder, std::int32_t j) {
    const scenario_identity identity = builtin_identity();
    for (const std::string& name :
         {compiled_line_name(identity), item_file_name(identity), grid_file_name(identity)}) {
        (void)remove_file(folder.file(name));
    }

    compile_context context(compile_options{folder.path(), identity, /*delete_sources=*/false});
    const compile_outcome outcome = memorizza_percorso(context, j);

    const error_state& errors = context.errors;
    require(errors.codice_errore == (errors.errors().empty() ? 0 : errors.errors().back().codice),
            "the error code is the last error logged");
    // The rest of the sources that a stopped reading left unread is scanned for further
    // mistakes, as the compile command does; the scan changes nothing that was compiled.
    const std::int32_t code_before_scan = errors.codice_errore;
    scan_beyond_compiled_part(context);
    require(errors.codice_errore == code_before_scan, "the scan leaves the error code");
    // The messages quote the source line under each error, as the compile command prints them.
    static std::FILE* const sink = std::fopen("/dev/null", "w");
    print_diagnostics(sink, errors, context.sources);

    require(exists(context.line_source_path()) && exists(context.train_source_path()),
            "a compile that keeps its sources keeps them");
    switch (outcome.how) {
        case compile_outcome::end::compiled:
            check_written_files(folder, context);
            break;
        case compile_outcome::end::no_grid:
        case compile_outcome::end::stamp_in_use:
        case compile_outcome::end::text_not_converted:
            require(!exists(folder.file(compiled_line_name(identity))) &&
                        !exists(folder.file(item_file_name(identity))) &&
                        !exists(folder.file(grid_file_name(identity))),
                    "a compile that stops early writes nothing");
            break;
        case compile_outcome::end::write_failed:
            require(false, "the scratch folder takes every compiled file");
            break;
    }
}

}  // namespace scenario::fuzzing
