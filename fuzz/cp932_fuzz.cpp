// Any bytes as UTF-8 or as code page 932: conversion never fails, and text
// that came out of code page 932 goes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string cp932 = quillmark::Utf8ToCp932(bytes);
  if (cp932.size() > bytes.size()) std::abort();  // never longer than UTF-8
  const std::string utf8 = quillmark::Cp932ToUtf8(cp932);
  if (quillmark::Utf8ToCp932(utf8) != cp932) std::abort();
  quillmark::Cp932ToUtf8(bytes);
  return 0;
}
