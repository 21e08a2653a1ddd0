#pragma once
// Test support: a scratch directory per test, whole-file reads and writes, and the
// sample project files under tests/data/projects.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

namespace feriant::project::testing {

namespace fs = std::filesystem;

inline fs::path DataFile(const std::string& name) {
  return fs::path(FERIANT_SOURCE_DIR) / "tests" / "data" / "projects" / name;
}

inline std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh directory named after the running test, removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    path_ =
        fs::temp_directory_path() / ("feriant-project-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  // Copies a sample file into the directory.
  fs::path Copy(const std::string& sample) const {
    const fs::path target = path_ / sample;
    fs::copy_file(DataFile(sample), target, fs::copy_options::overwrite_existing);
    return target;
  }

 private:
  fs::path path_;
};

}  // namespace feriant::project::testing
