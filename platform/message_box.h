#pragma once

#include <string>

enum class BoxIcon { None, Warning, Error, Information, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

// Modal message boxes centred on the screen. Buttons read "はい(&Y)", "いいえ(&N)", "OK" and
// "キャンセル" whatever the system's language; OK, else Yes, is the default; Escape answers
// Cancel, else No, else OK.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual BoxAnswer Show(const std::string& caption, BoxIcon icon, BoxButtons buttons,
                         const std::string& text) = 0;
};
