#pragma once

// Splits one fuzz input into the pieces a target needs.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The bytes up to the next 0xFF (or the end), which is consumed.
  std::string Piece() {
    const std::size_t end = rest_.find('\xFF');
    std::string piece(rest_.substr(0, end));
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return piece;
  }
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  bool Empty() const { return rest_.empty(); }
  std::string Rest() const { return std::string(rest_); }

 private:
  std::string_view rest_;
};

#define FUZZ_ASSERT(condition)          \
  do {                                  \
    if (!(condition)) __builtin_trap(); \
  } while (0)
