#include "core/message_dialogs.h"

#include <string_view>

#include "core/program_log.h"
#include "core/texts.h"
#include "platform/app_error.h"
#include "platform/text_format.h"

BoxAnswer MessageDialogs::Show(MessageKind kind, BoxButtons buttons, const std::string& text) {
  switch (kind) {
    case MessageKind::Warning:
      return ShowBox(texts::kCaptionWarning, BoxIcon::Warning, buttons, text);
    case MessageKind::Error:
      return ShowBox(texts::kCaptionError, BoxIcon::Error, buttons, text);
    case MessageKind::Information:
      return ShowBox(texts::kCaptionInformation, BoxIcon::Information, buttons, text);
    case MessageKind::Confirmation:
      return ShowBox(texts::kCaptionConfirmation, BoxIcon::Question, buttons, text);
  }
  return BoxAnswer::Cancel;
}

BoxAnswer MessageDialogs::ShowBox(const char* caption, BoxIcon icon, BoxButtons buttons,
                                  const std::string& text) {
  ++open_boxes_;
  struct Closed {
    int& count;
    ~Closed() { --count; }
  } closed{open_boxes_};
  return boxes_.Show(caption, icon, buttons, text);
}

void MessageDialogs::Notice(const std::string& text) {
  ShowBox(texts::kAppTitle, BoxIcon::None, BoxButtons::Ok, text);
}

void MessageDialogs::ShowAppError(const std::string& message) {
  ShowBox(texts::kAppTitle, BoxIcon::Error, BoxButtons::Ok, AppErrorText(message));
}

void MessageDialogs::ShowAppError(const std::string& message, const std::string& advice) {
  ShowBox(texts::kAppTitle, BoxIcon::Error, BoxButtons::Ok,
          AppErrorText(message) + "\r\n" + advice);
}

bool MessageDialogs::AskRetry(const std::string& message, const std::string& advice) {
  return ShowBox(texts::kAppTitle, BoxIcon::Error, BoxButtons::RetryCancel,
                 AppErrorText(message) + "\r\n" + advice) == BoxAnswer::Retry;
}

void MessageDialogs::ShowError(const std::exception& error) {
  if (dynamic_cast<const AppError*>(&error)) {
    ShowAppError(error.what());
    return;
  }
  // A library's text is English and means nothing to the user; whoever looks into it later
  // finds it in the log.
  if (fault_files_) AppendToLog(*fault_files_, fault_path_, {FaultLine(error.what())});
  ShowBox(texts::kAppTitle, BoxIcon::Error, BoxButtons::Ok, texts::kInternalError);
}

std::string AppErrorText(const std::string& message) {
  if (message.empty()) return message;
  // Find the last character, stepping over double-byte pairs from the start.
  size_t last = 0;
  for (size_t i = 0; i < message.size();) {
    last = i;
    i += IsShiftJisLeadByte(static_cast<unsigned char>(message[i])) && i + 1 < message.size() ? 2
                                                                                              : 1;
  }
  // A message that already ends its sentence, in either width, takes no second stop.
  const std::string_view tail = std::string_view(message).substr(last);
  for (const char* stop : {"。", "｡", "．", "！", "？"})
    if (tail == stop) return message;
  return static_cast<unsigned char>(message[last]) > '.' ? message + "." : message;
}
