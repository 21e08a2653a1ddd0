#pragma once
// For the fuzz targets whose parser reads a file: one scratch file per process, in memory
// (/dev/shm) where there is such a place, else under $TMPDIR; rewritten with each input
// and removed when the process ends.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace feriant::fuzzing {

class FuzzFile {
 public:
  explicit FuzzFile(const std::string& extension)
      : path_(Directory() / ("feriant-fuzz-" + std::to_string(::getpid()) + extension)) {}
  ~FuzzFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  // Writes `size` bytes at `data` as the file's whole content; the path to read it from.
  const std::filesystem::path& Holding(const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) std::abort();  // not the parser's fault: stop rather than fuzz nothing
    return path_;
  }

 private:
  static std::filesystem::path Directory() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
  }

  std::filesystem::path path_;
};

}  // namespace feriant::fuzzing
