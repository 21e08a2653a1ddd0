#pragma once
// ReadWholeFile: the bytes of a file as they are on disk, for every test that compares a
// file with what it expects; empty for a file that cannot be read.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace feriant::testing {

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace feriant::testing
