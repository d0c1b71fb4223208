// PageWriter over a C++ stream, for tests and benchmarks that keep the page in memory.
#include <ostream>

#include "html/page_writer.h"

namespace {

class StreamSink : public PageSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void Write(const char* bytes, std::size_t size) override {
    out_.write(bytes, static_cast<std::streamsize>(size));
  }

 private:
  std::ostream& out_;
};

}  // namespace

PageWriter::PageWriter(std::ostream& out)
    : sink_(nullptr), ownSink_(std::make_unique<StreamSink>(out)), writeThrough_(true) {
  sink_ = ownSink_.get();
}
