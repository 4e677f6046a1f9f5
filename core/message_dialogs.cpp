#include "core/message_dialogs.h"

#include "core/texts.h"
#include "platform/text_format.h"

BoxAnswer MessageDialogs::Show(MessageKind kind, BoxButtons buttons, const std::string& text) {
  switch (kind) {
    case MessageKind::Warning:
      return boxes_.Show(texts::kCaptionWarning, BoxIcon::Warning, buttons, text);
    case MessageKind::Error:
      return boxes_.Show(texts::kCaptionError, BoxIcon::Error, buttons, text);
    case MessageKind::Information:
      return boxes_.Show(texts::kCaptionInformation, BoxIcon::Information, buttons, text);
    case MessageKind::Confirmation:
      return boxes_.Show(texts::kCaptionConfirmation, BoxIcon::Question, buttons, text);
  }
  return BoxAnswer::Cancel;
}

void MessageDialogs::Notice(const std::string& text) {
  boxes_.Show(texts::kAppTitle, BoxIcon::None, BoxButtons::Ok, text);
}

void MessageDialogs::ShowAppError(const std::string& message) {
  boxes_.Show(texts::kAppTitle, BoxIcon::Error, BoxButtons::Ok, AppErrorText(message));
}

void MessageDialogs::ShowAppError(const std::string& message, const std::string& advice) {
  boxes_.Show(texts::kAppTitle, BoxIcon::Error, BoxButtons::Ok,
              AppErrorText(message) + "\r\n" + advice);
}

bool MessageDialogs::AskRetry(const std::string& message, const std::string& advice) {
  return boxes_.Show(texts::kAppTitle, BoxIcon::Error, BoxButtons::RetryCancel,
                     AppErrorText(message) + "\r\n" + advice) == BoxAnswer::Retry;
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
  return static_cast<unsigned char>(message[last]) > '.' ? message + "." : message;
}
