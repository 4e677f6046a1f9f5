#pragma once

#include <string>

enum class BoxIcon { None, Warning, Error, Information, Question };
// YesNoDefaultNo: a question whose Yes cannot be undone, so that Enter answers No.
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo, RetryCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No, Retry };

// Modal message boxes centred on the screen. Buttons read "はい(&Y)", "いいえ(&N)", "OK",
// "キャンセル" and "再試行(&R)" whatever the system's language; OK, else Yes, else Retry is the
// default (No where the buttons say so); Escape answers Cancel, else No, else OK.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual BoxAnswer Show(const std::string& caption, BoxIcon icon, BoxButtons buttons,
                         const std::string& text) = 0;
};
