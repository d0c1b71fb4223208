// Temporary test directories and whole-file helpers.
#include "support/temp_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tvqconf-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  // Tests may run the program as an unprivileged user inside this directory.
  chmod(path_.c_str(), 0777);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Path(const std::string& name) const { return path_ + "/" + name; }

void TempDir::Write(const std::string& name, const std::string& content) const {
  WriteWholeFile(Path(name), content);
}

std::string TempDir::Read(const std::string& name) const { return ReadWholeFile(Path(name)); }

bool TempDir::Exists(const std::string& name) const {
  struct stat status;
  return lstat(Path(name).c_str(), &status) == 0;
}

void TempDir::MakeDir(const std::string& name) const {
  std::filesystem::create_directories(Path(name));
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}
