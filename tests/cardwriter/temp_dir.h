// A temporary folder removed with its contents at the end of a test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quorva::cardwriter::test {

class TempDir {
  public:
    TempDir() {
        std::string t =
            (std::filesystem::temp_directory_path() / "quorva-cardwriter-XXXXXX").string();
        if (mkdtemp(t.data())) path_ = t;
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace quorva::cardwriter::test
