// A page sink that counts the page's bytes and drops them, as a pipe to the
// web server would take them, so benchmarks measure the buffered writer.
#pragma once

#include <cstddef>

#include "html/page_writer.h"

class CountingSink : public PageSink {
 public:
  void Write(const char*, std::size_t size) override { count += size; }
  std::size_t count = 0;
};
