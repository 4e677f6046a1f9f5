#pragma once

// Captions and hints of the log-on options, and the notice of the log command.

namespace texts {

inline constexpr char kSkipRunningCaption[] = "起動中のｱﾌﾟﾘは起動しない(&K)";
// Hints fit the 250-pixel hint panel whole.
inline constexpr char kSkipRunningHint[] = "ﾛｸﾞｵﾝ時、起動中のﾌﾟﾛｸﾞﾗﾑは起動しません";
inline constexpr char kWaitLabel[] = "起動間隔(秒)(&I)";
inline constexpr char kWaitHint[] = "ﾛｸﾞｵﾝ時の起動の間隔(秒)。0は一斉に起動";
inline constexpr char kLogButtonCaption[] = "ﾛｸﾞを開く(&G)";
inline constexpr char kLogButtonHint[] = "ﾛｸﾞｵﾝ時に何が起動したかの記録を開きます";
// The log path is taken by something that is no file (a folder); %s is the path.
inline constexpr char kLogNotAFile[] = "%s はファイルではないため開けません。";
inline constexpr char kLogCannotOpen[] = "%s を開けませんでした。";
// What opens the log when no program is registered for it.
inline constexpr char kPlainTextEditor[] = "notepad.exe";
inline constexpr char kNoLogYet[] = "ﾛｸﾞはまだありません。ﾛｸﾞｵﾝ時の起動の後に作られます。";

}  // namespace texts
