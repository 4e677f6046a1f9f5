#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Replaces the first "%s" of the pattern with the argument.
std::string FormatText(std::string_view pattern, std::string_view argument);

// True when the byte opens a double-byte character of code page 932.
constexpr bool IsShiftJisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The byte with an ASCII capital made small; any other byte as it is.
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with its ASCII capitals made small, for names matched without regard to case.
std::string AsciiLower(std::string_view text);

// Whether text[at..] spells the lower-case ASCII `word`, its letters in either case.
bool HasAsciiWordAt(std::string_view text, std::size_t at, std::string_view word);

// Index of the last "\" or ":" of a path, never the second byte of a double-byte character;
// npos when there is none. previous_start, when given, receives where the character before
// it starts (npos when the delimiter comes first).
std::size_t LastPathDelimiter(std::string_view path, std::size_t* previous_start = nullptr);
