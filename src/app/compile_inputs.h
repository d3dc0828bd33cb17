// What a compile makes sure of before it writes anything: the folder's lock (so that no other
// run writes or deletes the sources while they are read), the folder itself, and both source
// files, there, plain files, no larger than a source can be, and read. Each source is checked
// and read through one open file, and the compile reads the texts read here: a file put in a
// source's place after the check (a FIFO that would block the reader for ever) is never
// opened. A compile that went on without one of them would write compiled
// files that are not the author's scenario (a mistyped train number would give files
// compiled without any train, beside the real ones).
#pragma once

#include "compiler/compile_context.h"
#include "source/folder_lock.h"
#include "source/source_text.h"
#include "source/status.h"

namespace scenario {

// Success with the folder locked and both sources in `read`, under their paths; otherwise a
// failure that names the folder or the file and says that nothing was written.
status prepare_compile(const compile_options& options, folder_lock& lock, source_texts& read);

// The folder and both sources, without the lock: for a compile that writes nothing.
status check_compile_inputs(const compile_options& options, source_texts& read);

}  // namespace scenario
