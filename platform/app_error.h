#pragma once

#include <stdexcept>
#include <string>

// An error that ends the command or start-up step in progress. The message is already in the
// user's language and code page; the application's general error box shows it.
class AppError : public std::runtime_error {
 public:
  explicit AppError(const std::string& message) : std::runtime_error(message) {}
};
