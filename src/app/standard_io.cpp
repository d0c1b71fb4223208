// Reading standard input and writing standard output whole, retrying interrupted calls.
#include "app/standard_io.h"

#include <unistd.h>

#include <cerrno>

std::size_t ReadStandardInput(char* bytes, std::size_t size) {
  std::size_t delivered = 0;
  while (delivered < size) {
    const ssize_t count = read(STDIN_FILENO, bytes + delivered, size - delivered);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    delivered += static_cast<std::size_t>(count);
  }
  return delivered;
}

void StandardOutputSink::Write(const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t count = write(STDOUT_FILENO, bytes, size);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    bytes += count;
    size -= static_cast<std::size_t>(count);
  }
}
