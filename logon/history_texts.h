#pragma once

// The log-on history window's texts.
namespace texts {

inline constexpr char kHistoryCaption[] = "ﾛｸﾞｵﾝ履歴";
inline constexpr char kHistoryButtonCaption[] = "ﾛｸﾞｵﾝ履歴(&H)";
inline constexpr char kHistoryButtonHint[] = "ﾛｸﾞｵﾝごとに、各項目の起動にかかった時間を表示します";
inline constexpr char kHistoryEmpty[] =
    "ﾛｸﾞｵﾝ履歴はまだありません。ﾛｸﾞｵﾝ時の起動のあと、各項目の起動にかかった時間がここに表示されます"
    "。";
// %s: the date and time the shown log-on began.
inline constexpr char kHistoryLastLogOn[] = "最後のﾛｸﾞｵﾝ: %s";
// %s: how many log-ons the trend shows.
inline constexpr char kHistoryTrend[] = "最近%s回のﾛｸﾞｵﾝ時間";
inline constexpr char kSecondsUnit[] = "秒";
// A line of the log; %s: the reason.
inline constexpr char kHistoryNotKept[] =
    "ﾛｸﾞｵﾝ履歴を保存できませんでした: %s (項目の一覧は保存されたままです)";

inline constexpr char kFigureDue[] = "起動予定: ";
inline constexpr char kFigureStarted[] = "起動: ";
inline constexpr char kFigureReady[] = "準備完了: ";
inline constexpr char kFigureProcessor[] = "最初の1分のﾌﾟﾛｾｯｻ時間: ";
inline constexpr char kFigureWaited[] = "待ったもの: ";
inline constexpr char kNotStarted[] = "起動しませんでした";
inline constexpr char kNotReady[] = "1分以内に確認できませんでした";
inline constexpr char kNotMeasured[] = "測れませんでした";
inline constexpr char kWaitedForNothing[] = "なし";
inline constexpr char kHeavyMark[] = "★";
inline constexpr char kHeavySuggestion[] =
    "★起動直後にﾌﾟﾛｾｯｻを多く使いました。項目の設定で「ﾛｸﾞｵﾝ後の遅れ」を付けるか「ｱｲﾄﾞﾙ時に起動」"
    "にすると、ﾛｸﾞｵﾝ直後が軽くなります。";

}  // namespace texts
