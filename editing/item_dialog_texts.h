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
// The start condition: the kinds in their list's order, the hint line under them for each, and
// what OK refuses.
inline constexpr char kNeedNoneLabel[] = "なし";
inline constexpr char kNeedPreviousLabel[] = "前の項目の起動完了";
inline constexpr char kNeedPathLabel[] = "ﾌｫﾙﾀﾞ/ﾌｧｲﾙの存在";
inline constexpr char kNeedPortLabel[] = "ﾎﾟｰﾄの応答(TCP)";
inline constexpr char kNeedNoneHint[] = "ほかの項目を待たずに起動します";
inline constexpr char kNeedPreviousHint[] =
    "直前に起動した項目が操作できるか終了してから起動します";
inline constexpr char kNeedPathHint[] = "対象のﾌｫﾙﾀﾞかﾌｧｲﾙが見つかってから起動します (例 Z:\\Data)";
inline constexpr char kNeedPortHint[] =
    "対象のﾎｽﾄ:ﾎﾟｰﾄに接続できてから起動します (例 127.0.0.1:80)";
inline constexpr char kNeedFolderTitle[] = "起動の前に待つﾌｫﾙﾀﾞを選んで下さい";
inline constexpr char kNeedNoPath[] =
    "待つﾌｫﾙﾀﾞかﾌｧｲﾙが入力されていません。Z:\\Data のように入力して下さい";
inline constexpr char kNeedBadPath[] =
    "待つﾌｫﾙﾀﾞかﾌｧｲﾙの名前が正しくありません。"
    "ﾄﾞﾗｲﾌﾞ名から (Z:\\Data)、またはﾈｯﾄﾜｰｸ名 (\\\\server\\share) で入力して下さい";
inline constexpr char kNeedNoHost[] =
    "待つﾎｽﾄとﾎﾟｰﾄが入力されていません。127.0.0.1:8080 のように入力して下さい";
inline constexpr char kNeedBadHost[] =
    "ﾎｽﾄとﾎﾟｰﾄの形が正しくありません。ﾎｽﾄ名:ﾎﾟｰﾄ番号 (127.0.0.1:8080 など) の形で入力して下さい";
inline constexpr char kNeedBadPort[] = "ﾎﾟｰﾄ番号は 1 から 65535 までの数で入力して下さい";
inline constexpr char kNeedBadLimit[] = "待つ上限は 1 から 3600 までの秒数で入力して下さい";
inline constexpr char kStartTimeNowCaption[] = "現在の時刻を開始時刻に設定";
inline constexpr char kEndTimeNowCaption[] = "現在の時刻を終了時刻に設定";
// Pairs of description and pattern, each ending in NUL; the array's own NUL closes the list.
inline constexpr char kOpenFileFilter[] = "ﾌﾟﾛｸﾞﾗﾑ(*.exe)\0*.exe\0すべてのﾌｧｲﾙ(*.*)\0*.*\0";
inline constexpr char kExplorerCommand[] = "EXPLORER.EXE";

}  // namespace texts
