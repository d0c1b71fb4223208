// The request body from standard input and the page to standard output, through plain
// system calls: a C++ stream would cost every request its start-up.
#pragma once

#include <cstddef>

#include "html/page_writer.h"

// Reads up to `size` bytes; fewer only at the end of the input or on an error.
std::size_t ReadStandardInput(char* bytes, std::size_t size);

class StandardOutputSink : public PageSink {
 public:
  // Writes every byte unless the output fails; output errors are not reported.
  void Write(const char* bytes, std::size_t size) override;
};
