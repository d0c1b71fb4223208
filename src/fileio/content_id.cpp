// Content ids from XXH3-128, streamed over a file's bytes.
#include "fileio/content_id.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "fileio/regular_file.h"

namespace {

std::string HexOf(const XXH128_hash_t& hash) {
  char text[33];
  std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                static_cast<unsigned long long>(hash.low64));
  return text;
}

}  // namespace

ContentHasher::ContentHasher() : state_(XXH3_createState()) {
  if (state_ == nullptr) throw std::bad_alloc();
  Reset();
}

ContentHasher::~ContentHasher() { XXH3_freeState(state_); }

void ContentHasher::Reset() { XXH3_128bits_reset(state_); }

void ContentHasher::Add(const char* bytes, std::size_t count) {
  XXH3_128bits_update(state_, bytes, count);
}

std::string ContentHasher::Id() const { return HexOf(XXH3_128bits_digest(state_)); }

std::string ContentIdOf(std::string_view bytes) {
  return HexOf(XXH3_128bits(bytes.data(), bytes.size()));
}

bool ReadContentId(const std::string& path, std::string& id) {
  struct stat status;
  const int descriptor = OpenRegularFile(path, O_RDONLY, status);
  if (descriptor < 0) {
    if (errno != ENOENT) return false;
    id = kNoContent;
    return true;
  }
  ContentHasher hasher;
  char buffer[16384];
  ssize_t count;
  while ((count = read(descriptor, buffer, sizeof buffer)) > 0) {
    hasher.Add(buffer, static_cast<std::size_t>(count));
  }
  CloseKeepingErrno(descriptor);
  if (count < 0) return false;
  id = hasher.Id();
  return true;
}
