#pragma once

// The item properties dialog's own texts (the labels live in its resource template).

namespace texts {

inline constexpr char kItemDlgCaption[] = "Morvelinアイテムプロパティ";
inline constexpr char kStyleNormal[] = "通常のｳｲﾝﾄﾞｳ";
inline constexpr char kStyleMinimized[] = "最小化";
inline constexpr char kStyleMaximized[] = "最大化";
inline constexpr char kExplorerButtonHint[] = "ｴｸｽﾌﾟﾛｰﾗからDrag&Drop出来ます。";
inline constexpr char kIconImageHint[] = "Click Here(Right)";
inline constexpr char kDelayHint[] = "ﾛｸﾞｵﾝ後、この秒数だけ待ってから起動します(0-3600)";
inline constexpr char kIdleHint[] =
    "CPU使用率が3秒間20%未満になってから起動します(最長120秒待ちます)";
inline constexpr char kDaysHint[] = "ﾁｪｯｸした曜日だけﾛｸﾞｵﾝ時に起動します";
inline constexpr char kStartTimeNowCaption[] = "現在の時刻を開始時刻に設定";
inline constexpr char kEndTimeNowCaption[] = "現在の時刻を終了時刻に設定";
// Pairs of description and pattern, each ending in NUL; the array's own NUL closes the list.
inline constexpr char kOpenFileFilter[] = "ﾌﾟﾛｸﾞﾗﾑ(*.exe)\0*.exe\0すべてのﾌｧｲﾙ(*.*)\0*.*\0";
inline constexpr char kExplorerCommand[] = "EXPLORER.EXE";

}  // namespace texts
