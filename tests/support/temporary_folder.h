// The one temporary folder of the tests: a fresh folder under the system's temporary folder,
// made with mkdtemp and removed, whatever it holds, with the object.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace scenario::testing_support {

// Its name is `name_start` followed by six characters that mkdtemp chooses; a folder that a
// test made unwritable or unreadable is opened up first so that it can be removed.
class temporary_folder {
  public:
    explicit temporary_folder(const std::string& name_start = "scenario-test-") {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (name_start + "XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~temporary_folder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    temporary_folder(const temporary_folder&) = delete;
    temporary_folder& operator=(const temporary_folder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace scenario::testing_support
