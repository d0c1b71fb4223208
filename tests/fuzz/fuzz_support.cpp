// A checked property and a per-process scratch folder for the fuzz targets.
#include "fuzz_support.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// Files are replaced with a flush to disk; in memory that costs nothing.
std::filesystem::path TemporaryFolder() {
  std::error_code missing;
  if (std::filesystem::is_directory("/dev/shm", missing)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

class Scratch {
 public:
  Scratch() {
    std::string pattern = (TemporaryFolder() / "tvqconf-fuzz-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  Require(out.good(), "a scratch file can be written");
}
