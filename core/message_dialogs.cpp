#include "core/message_dialogs.h"

#include "core/logon_report.h"
#include "core/texts.h"
#include "platform/app_error.h"
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

void MessageDialogs::ShowError(const std::exception& error) {
  if (dynamic_cast<const AppError*>(&error)) {
    ShowAppError(error.what());
    return;
  }
  // A library's text is English and means nothing to the user; whoever looks into it later
  // finds it in the log.
  if (fault_files_) AppendToLog(*fault_files_, fault_path_, {FaultLine(error.what())});
  boxes_.Show(texts::kAppTitle, BoxIcon::Error, BoxButtons::Ok, texts::kInternalError);
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
