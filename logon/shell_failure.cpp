#include "logon/shell_failure.h"

#include "platform/platform_texts.h"
#include "platform/text_format.h"

namespace {

// The shell's own failure answers (SE_ERR_*), which mean nothing to the system.
const char* ShellOwnText(int code) {
  switch (code) {
    case 0:
      return "メモリまたはリソースが足りません";
    case 26:
      return "ファイルがほかのプログラムに使われています";
    case 27:
      return "ファイルの関連付けが不完全です";
    case 28:
    case 29:
    case 30:
      return "ファイルを開くプログラムが応答しませんでした";
    case 31:
      return "このファイルを開くプログラムが登録されていません";
    case 32:
      return "必要な DLL が見つかりません";
    default:
      return nullptr;
  }
}

std::string Trimmed(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

}  // namespace

std::string ShellFailureText(const ShellAnswer& answer, SystemErrorTexts& texts) {
  // The shell's own answer is the precise one; what it leaves as the last error may belong to
  // some step inside it (an unknown type can leave "not a valid program" behind).
  if (const char* own = ShellOwnText(answer.code)) return own;
  std::string reason;
  if (answer.system_error != 0) reason = Trimmed(texts.ErrorText(answer.system_error));
  if (reason.empty()) reason = Trimmed(texts.ErrorText(static_cast<unsigned long>(answer.code)));
  return reason.empty() ? FormatText(texts::kErrorCode, std::to_string(answer.code)) : reason;
}
