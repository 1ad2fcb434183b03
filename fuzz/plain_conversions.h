// SPDX-License-Identifier: MIT
// Deliberately plain versions of the conversions, written straight from their
// rules with no attention to speed: the oracle of the fuzzers and of the
// property tests.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cfenv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavro::reference {

// Scans the source for each unit; the first occurrence wins, a position past
// the end of the target contributes nothing.
inline std::u16string LiteralScan(std::u16string_view input, std::u16string_view source,
                                  std::u16string_view target) {
  std::u16string result;
  for (char16_t unit : input) {
    const std::size_t found = source.find(unit);
    if (found == std::u16string_view::npos) {
      result += unit;
    } else if (found < target.size()) {
      result += target[found];
    }
  }
  return result;
}

// The characters of `text`: a high surrogate followed by a low one is one
// character, any other unit is one character of its own.
inline std::vector<std::u16string> Characters(std::u16string_view text) {
  std::vector<std::u16string> characters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    characters.emplace_back(text.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return characters;
}

inline std::u16string PlainAddCharacters(std::u16string_view input, std::u16string_view separator) {
  std::u16string result;
  for (const std::u16string& character : Characters(input)) {
    result += separator;
    result += character;
  }
  return result;
}

inline std::u16string PlainReverseText(std::u16string_view input) {
  const std::vector<std::u16string> characters = Characters(input);
  std::u16string result;
  for (std::size_t i = characters.size(); i >= 1; --i) result += characters[i - 1];
  return result;
}

// `text` in code page 936, from the platform's own encoder (iconv, or Windows
// without best fit); nothing where it cannot encode a character.
inline std::optional<std::string> EncodeCp936(std::u16string_view text) {
  std::string out(4 * text.size(), '\0');
#ifdef _WIN32
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS,
                                        reinterpret_cast<const wchar_t*>(text.data()),
                                        static_cast<int>(text.size()), out.data(),
                                        static_cast<int>(out.size()), nullptr, &usedDefault);
  if (usedDefault || (bytes == 0 && !text.empty())) return std::nullopt;
  out.resize(static_cast<std::size_t>(bytes));
#else
  static const iconv_t toCp936 = iconv_open("CP936", "UTF-16LE");
  iconv(toCp936, nullptr, nullptr, nullptr, nullptr);
  std::string in;
  for (char16_t unit : text) in += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  char *inPtr = in.data(), *outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  // glibc writes nothing at all for some characters it cannot encode (the tag
  // characters U+E0000 ...); those count as refused too.
  if (iconv(toCp936, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
      (outPtr == out.data() && !text.empty())) {
    return std::nullopt;
  }
  out.resize(static_cast<std::size_t>(outPtr - out.data()));
#endif
  return out;
}

// Code page 936 bytes of one character; "?" (1) where the encoder refuses it.
// The user-defined area U+E000 ... U+E864 is two bytes, as Windows stores it,
// where glibc cannot encode it.
inline int PlainAnsiWidth(const std::u16string& character) {
  if (character.empty()) return 0;
  if (character.size() == 1 && character[0] >= 0xE000 && character[0] <= 0xE864) return 2;
  const std::optional<std::string> bytes = EncodeCp936(character);
  return bytes ? static_cast<int>(bytes->size()) : 1;
}

// Cell (i, j) holds the character at position i + L * (j - 1), 1-based.
inline std::u16string PlainVerticalLayout(std::u16string_view input) {
  const std::vector<std::u16string> characters = Characters(input);
  const double n = static_cast<double>(characters.size());
  if (n == 0) return u"";
  std::fesetround(FE_TONEAREST);  // std::nearbyint then rounds ties to even
  const double lines = n < 400 ? std::nearbyint(std::sqrt(n)) : 20;
  const double columns = std::nearbyint(n / lines + 0.5);
  std::u16string result;
  for (double i = 1; i <= lines; ++i) {
    for (double j = 1; j <= columns; ++j) {
      const double position = i + lines * (j - 1);
      std::u16string cell =
          position <= n ? characters[static_cast<std::size_t>(position) - 1] : u"";
      const int width = PlainAnsiWidth(cell);
      if (width == 0) cell = u"  ";
      if (width == 1) cell += u" ";
      result += cell + u"|";
    }
    result += u"\r\n";
  }
  return result;
}

}  // namespace tavro::reference
