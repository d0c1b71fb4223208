// The id of a file's content: hex of its 128-bit XXH3 hash, or "-" for a file that does not exist.
#pragma once

#include <string>
#include <string_view>

#include <xxhash.h>

// The id of a file that does not exist.
inline constexpr char kNoContent[] = "-";

// Hashes bytes as they pass, so a file's id comes with reading or writing it.
class ContentHasher {
 public:
  ContentHasher();
  ~ContentHasher();
  ContentHasher(const ContentHasher&) = delete;
  ContentHasher& operator=(const ContentHasher&) = delete;

  void Reset();
  void Add(const char* bytes, std::size_t count);
  // 32 lower-case hex digits of the bytes added since the last Reset.
  std::string Id() const;

 private:
  XXH3_state_t* state_;
};

std::string ContentIdOf(std::string_view bytes);

// The id of the file at `path` as it stands (symbolic links followed): kNoContent
// when nothing is there. False, with errno set, when it exists but cannot be read.
bool ReadContentId(const std::string& path, std::string& id);
