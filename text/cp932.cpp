#include "text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace quillmark {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when it
// starts with a malformed or truncated one (overlong forms and surrogates
// included).
std::size_t WellFormedUtf8Length(std::string_view s) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(0);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (b0 < 0x80) return 1;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

bool IsCp932TrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// How many input bytes one "?" stands for when iconv stops at `rest`.
using SkipRule = std::size_t (*)(std::string_view rest);

std::size_t SkipInvalidUtf8(std::string_view rest) {
  const std::size_t n = WellFormedUtf8Length(rest);
  return n == 0 ? 1 : n;  // unmappable character or one malformed byte
}

std::size_t SkipInvalidCp932(std::string_view rest) {
  const auto b0 = static_cast<unsigned char>(rest[0]);
  if (IsLeadByte(b0) && rest.size() > 1 &&
      IsCp932TrailByte(static_cast<unsigned char>(rest[1]))) {
    return 2;
  }
  return 1;
}

// Converts with glibc iconv, writing "?" for each piece of input it refuses
// and carrying on after it.
std::string Convert(const char* to, const char* from, std::string_view input,
                    SkipRule skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("iconv cannot convert between UTF-8 and CP932");
  }
  std::string out(input.size() + input.size() / 2 + 16, '\0');
  char* in_ptr = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  std::size_t written = 0;
  while (in_left > 0) {
    char* out_ptr = out.data() + written;
    std::size_t out_left = out.size() - written;
    const std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    written = out.size() - out_left;
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // EILSEQ or EINVAL: replace the refused piece and go on after it.
    const std::size_t n = skip(std::string_view(in_ptr, in_left));
    in_ptr += n;
    in_left -= n;
    if (written == out.size()) out.resize(out.size() * 2);
    out[written++] = '?';
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  out.resize(written);
  return out;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8, SkipInvalidUtf8);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932, SkipInvalidCp932);
}

std::string WithFullStop(std::string_view cp932_message) {
  std::string text(cp932_message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
    text += '.';
  }
  return text;
}

}  // namespace quillmark
