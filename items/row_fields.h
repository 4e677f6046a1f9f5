#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A whole number read once from stored text; a text that is none keeps its error for the first
// use, so a row with a garbled field still loads and is told about only when it is acted on.
class StoredInteger {
 public:
  static StoredInteger Parse(std::string_view text);
  // The number, or AppError("'<text>' は整数ではありません").
  std::int32_t Value() const;

 private:
  std::optional<std::int32_t> value_;
  std::string unreadable_;
};

// S: "0" normal, "1" minimised, "2" maximised.
struct WindowState {
  StoredInteger number;

  static WindowState Parse(const std::string& text);
  // The number plus one, wrapped like the shell's int would; throws as StoredInteger::Value.
  int ShowCommand() const;
};

// H: hhmmhhmm. Each end is hh * 100 + mm, which orders as the clock's text does.
struct TimeBand {
  bool valid = false;  // four pairs of digits; anything else admits nothing
  int start = 0;
  int end = 0;

  static TimeBand Parse(const std::string& text);
  bool CrossesMidnight() const { return start > end; }
  // clock is hh:mm.
  bool Admits(std::string_view clock) const;
};

// D: a flag digit, then the mm/dd the row last ran.
struct OnceRule {
  bool on = false;     // the flag is "1": the row runs once a day
  std::string date;    // the five characters after the flag, as far as they exist
  StoredInteger flag;  // the flag as a number, as the item dialog reads it

  static OnceRule Parse(const std::string& text);
  bool RanOn(const std::string& today) const { return on && date == today; }
};

// A field's stored text beside its value, parsed whenever the text is set, so the text is written
// back byte for byte and every use reads the same value.
template <class Value>
class ParsedText {
 public:
  ParsedText() : ParsedText(std::string()) {}
  ParsedText(std::string text) : text_(std::move(text)), value_(Value::Parse(text_)) {}
  ParsedText(const char* text) : ParsedText(std::string(text)) {}

  const std::string& Text() const { return text_; }
  operator const std::string&() const { return text_; }
  const Value* operator->() const { return &value_; }
  bool empty() const { return text_.empty(); }
  char front() const { return text_.front(); }

  bool operator==(const ParsedText& other) const { return text_ == other.text_; }
  template <class Other>
  requires std::convertible_to<const Other&, std::string_view>
  friend bool operator==(const ParsedText& field, const Other& text) {
    return std::string_view(field.text_) == std::string_view(text);
  }

 private:
  std::string text_;
  Value value_;
};
