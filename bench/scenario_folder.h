// A scratch folder holding the generated scenario of one line length, for the benchmarks:
// the sources are written once and only ever read, and the folder is removed at the end.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/compile_context.h"

namespace scenario::bench {

class scenario_folder {
  public:
    // The folder of the generated scenario of this length, made on first use.
    static const scenario_folder& of_length(std::int32_t length);

    explicit scenario_folder(std::int32_t length);
    ~scenario_folder();
    scenario_folder(const scenario_folder&) = delete;
    scenario_folder& operator=(const scenario_folder&) = delete;

    const std::string& path() const { return path_; }
    // The options of a compile of the generated scenario here: the sources are kept.
    compile_options options() const;

  private:
    std::string path_;
};

}  // namespace scenario::bench
