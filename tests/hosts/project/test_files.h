#pragma once
// Test support: scratch directories that take sample files, whole-file reads and writes, and the
// sample project files under tests/data/projects.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"
#include "tests/support/whole_file.h"

namespace feriant::project::testing {

namespace fs = std::filesystem;

inline fs::path DataFile(const std::string& name) {
  return fs::path(FERIANT_SOURCE_DIR) / "tests" / "data" / "projects" / name;
}

using feriant::testing::ReadWholeFile;

inline void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A scratch directory that takes copies of the sample files.
class ScratchDir : public ::feriant::testing::ScratchDir {
 public:
  // Copies a sample file into the directory.
  fs::path Copy(const std::string& sample) const {
    const fs::path target = path() / sample;
    fs::copy_file(DataFile(sample), target, fs::copy_options::overwrite_existing);
    return target;
  }
};

}  // namespace feriant::project::testing
