// Code page 1252, as the sim's ANSI code page.
#include "platform/codepage.h"

#include <array>

namespace platform {

namespace {

// Unicode of the bytes 0x80-0x9F; the five bytes 1252 leaves undefined map to themselves.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t to_unicode(unsigned char c) {
  return c >= 0x80 && c <= 0x9F ? kHigh[c - 0x80] : static_cast<char16_t>(c);
}

int to_ansi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

unsigned char upper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
  }
}

unsigned char lower(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

}  // namespace

void char_upper_buff(char* buffer, std::uint32_t length) {
  for (std::uint32_t i = 0; i < length; ++i)
    buffer[i] = static_cast<char>(upper(static_cast<unsigned char>(buffer[i])));
}

void char_lower_buff(char* buffer, std::uint32_t length) {
  for (std::uint32_t i = 0; i < length; ++i)
    buffer[i] = static_cast<char>(lower(static_cast<unsigned char>(buffer[i])));
}

// Windows maps some characters outside 1252 to a look-alike ("best fit"); the sim
// gives the default character "?" for all of them.
std::string wide_to_ansi(const WideString& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;  // a surrogate pair is one character: one "?"
    const int b = to_ansi(c);
    result += b < 0 ? '?' : static_cast<char>(b);
  }
  return result;
}

WideString ansi_to_wide(const std::string& text) {
  WideString result;
  result.reserve(text.size());
  for (char c : text) result += to_unicode(static_cast<unsigned char>(c));
  return result;
}

// Ill-formed input becomes U+FFFD, one for each piece as Windows' converter (measured
// under Wine 8) cuts it: a byte that cannot start a sequence alone; a sequence cut
// short by a byte that does not continue it, up to that byte; a sequence that is
// overlong or a surrogate, up to its second byte; one past U+10FFFF, up to its
// second byte; one cut short by the end of the input, with all that is left.
WideString utf8_to_wide(const std::string& text) {
  WideString result;
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = byte(i++);
    if (lead < 0x80) {
      result += static_cast<char16_t>(lead);
      continue;
    }
    const int trail = lead >= 0xC2 && lead <= 0xDF   ? 1
                      : lead >= 0xE0 && lead <= 0xEF ? 2
                      : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                     : 0;
    if (trail == 0) {
      result += u'\xFFFD';
      continue;
    }
    if (i + static_cast<std::size_t>(trail) > text.size()) {
      result += u'\xFFFD';
      break;
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    char32_t code = lead & (0x3Fu >> trail);
    bool valid = true;
    for (int k = 0; k < trail && valid; ++k) {
      const unsigned char next = byte(i);
      const char32_t grown = (code << 6) | (next & 0x3Fu);
      const int shift = 6 * (trail - k - 1);
      if ((next & 0xC0) != 0x80 || (k == 1 && (grown << shift) > 0x10FFFF)) {
        valid = false;  // this byte is not part of the sequence
        break;
      }
      code = grown;
      ++i;
      if (k == 0) {
        const char32_t least = code << shift;
        const char32_t most = least | ((char32_t{1} << shift) - 1);
        if (most < kMin[trail] || (least >= 0xD800 && most <= 0xDFFF)) valid = false;
      }
    }
    if (!valid) {
      result += u'\xFFFD';
    } else if (code >= 0x10000) {
      code -= 0x10000;
      result += static_cast<char16_t>(0xD800 + (code >> 10));
      result += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      result += static_cast<char16_t>(code);
    }
  }
  return result;
}

}  // namespace platform
