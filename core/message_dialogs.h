#pragma once

#include <exception>
#include <string>

#include "platform/log_files.h"
#include "platform/message_box.h"

// The program's message kinds on top of the plain message boxes: each kind has its icon and
// caption; a plain notice is titled with the application title and has no icon.
enum class MessageKind { Warning, Error, Information, Confirmation };

class MessageDialogs {
 public:
  explicit MessageDialogs(MessageBoxes& boxes) : boxes_(boxes) {}

  BoxAnswer Show(MessageKind kind, BoxButtons buttons, const std::string& text);
  // A question proceeds only on Yes.
  bool AskYesNo(MessageKind kind, const std::string& text) {
    return Show(kind, BoxButtons::YesNo, text) == BoxAnswer::Yes;
  }
  // The same with No as the default button, for a Yes that cannot be taken back.
  bool AskYesNoDefaultNo(MessageKind kind, const std::string& text) {
    return Show(kind, BoxButtons::YesNoDefaultNo, text) == BoxAnswer::Yes;
  }
  void Notice(const std::string& text);
  // The application's general error box.
  void ShowAppError(const std::string& message);
  // The same box with a line of advice below the message.
  void ShowAppError(const std::string& message, const std::string& advice);
  // The same with 再試行 and キャンセル; true on 再試行.
  bool AskRetry(const std::string& message, const std::string& advice);
  // True while one of these boxes waits for its answer (its loop still runs the program's
  // commands).
  bool BoxOpen() const { return open_boxes_ > 0; }
  // Every error that ends an event: the program's own shows its text in the general error box;
  // any other shows one fixed message, its detail going to the log set below.
  void ShowError(const std::exception& error);
  void SetFaultLog(LogFiles& files, const std::string& path) {
    fault_files_ = &files;
    fault_path_ = path;
  }

 private:
  BoxAnswer ShowBox(const char* caption, BoxIcon icon, BoxButtons buttons, const std::string& text);

  MessageBoxes& boxes_;
  int open_boxes_ = 0;
  LogFiles* fault_files_ = nullptr;
  std::string fault_path_;
};

// The general error box appends "." when the message's last character sorts after ".", unless
// that character is a Japanese full stop or another mark that ends a sentence.
std::string AppErrorText(const std::string& message);
