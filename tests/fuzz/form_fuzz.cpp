// Fuzz target: splitting request text into fields, percent-decoding, whole integers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cgi/form_data.h"
#include "cgi/request_reader.h"
#include "cgi/url_decode.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FormData form;
  ParseFormText(text, form);
  for (const auto& field : form) {
    Require(field.first.find_first_of("&=") == std::string::npos,
            "a field name holds neither \"&\" nor \"=\"");
  }
  const std::string decoded = UrlDecode(text);
  Require(decoded.size() <= text.size(), "decoding never lengthens a text");
  Require(text.find_first_of("%+") != std::string::npos || decoded == text,
          "a text without \"%\" and \"+\" decodes to itself");
  int number = 0;
  const int end = ParseWholeInt(text, number);
  Require(end >= 0 && static_cast<std::size_t>(end) <= std::max<std::size_t>(size, 1),
          "the end of a number lies within its text");
  return 0;
}
