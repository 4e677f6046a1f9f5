#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How the program reads an integer from stored or typed text:
// - blanks (space, tab) around the number are ignored;
// - an optional sign "+" or "-", directly followed by the digits;
// - decimal digits, or hexadecimal digits after "0x", "0X" or "$";
// - a decimal number must fit a signed 32-bit integer;
// - a hexadecimal number must fit 32 bits and is taken as their two's-complement value
//   ("0xFFFFFFFF" is -1), so any 32-bit pattern can be written in hex;
// - anything else (empty text, no digits, other characters, too many digits) is not an integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// ParseInteger, or AppError("'<text>' は整数ではありません").
std::int32_t IntegerOrThrow(std::string_view text);
