#include "compiler/compile_context.h"

#include "source/file_access.h"

namespace scenario {

std::string compile_context::line_source_path() const {
    return join_path(options.folder, line_source_name(options.identity));
}

std::string compile_context::train_source_path() const {
    return join_path(options.folder, train_source_name(options.identity));
}

}  // namespace scenario
