#pragma once

// Texts of the start-up entries page. Sources are UTF-8; the compiler turns them into
// Shift-JIS bytes.

namespace takeover_texts {

inline constexpr char kPageCaption[] = "ｽﾀｰﾄｱｯﾌﾟ項目";
inline constexpr char kColumnPlace[] = "場所";
inline constexpr char kColumnName[] = "名前";
inline constexpr char kColumnCommand[] = "コマンド";
inline constexpr char kColumnMark[] = "重複";
inline constexpr char kAdoptButton[] = "取り込む(&T)";
inline constexpr char kGiveBackButton[] = "元に戻す(&M)";

inline constexpr char kListHint[] =
    "ﾛｸﾞｵﾝ時にWindowsが起動する項目です。重複はﾘｽﾄにも同じﾌﾟﾛｸﾞﾗﾑがあるものです";
inline constexpr char kAdoptHint[] =
    "選択した項目をﾘｽﾄに取り込んで保存し、Windowsからは起動しないようにします";
inline constexpr char kGiveBackHint[] = "取り込んだ項目を元の場所に戻します";

inline constexpr char kPlaceUserRun[] = "HKCU Run";
inline constexpr char kPlaceUserRunOnce[] = "HKCU RunOnce";
inline constexpr char kPlaceMachineRun[] = "HKLM Run";
inline constexpr char kPlaceMachineRunOnce[] = "HKLM RunOnce";
inline constexpr char kPlaceUserStartup[] = "ｽﾀｰﾄｱｯﾌﾟ";
inline constexpr char kPlaceCommonStartup[] = "ｽﾀｰﾄｱｯﾌﾟ(全ﾕｰｻﾞｰ)";
inline constexpr char kPlaceAdoptedValue[] = "取り込み済み(Run)";
inline constexpr char kPlaceAdoptedFile[] = "取り込み済み(ｽﾀｰﾄｱｯﾌﾟ)";
inline constexpr char kMarkDuplicate[] = "重複";
inline constexpr char kMarkReadOnly[] = "読み取り専用";
inline constexpr char kMarkOwn[] = "Morvelin";
inline constexpr char kMarkInexactName[] = "名前を表せないため取り込めません";
inline constexpr char kMarkBadRecord[] = "記録が正しくありません";
inline constexpr char kMarkPlaceTaken[] = "元の場所に同じ名前あり";
inline constexpr char kMarkCopyMissing[] = "保管したﾌｧｲﾙがありません";

// %s is the entry's name; the reason follows on a line of its own.
inline constexpr char kAdoptFailed[] = "「%s」を取り込めませんでした。元の登録はそのままです。";
inline constexpr char kGiveBackFailed[] =
    "「%s」を元に戻せませんでした。取り込んだ状態のままです。";
inline constexpr char kNotRecorded[] = "Morvelinの記録に書き込めません。";
inline constexpr char kNotRemoved[] = "元の場所から削除できません。";
inline constexpr char kNotRead[] = "ﾌｧｲﾙを読み込めません。";
inline constexpr char kNotCopied[] = "ﾌｧｲﾙを正しく複写できません。";
inline constexpr char kRowNotStored[] = "ﾘｽﾄを保存できません。";
inline constexpr char kAlreadyKept[] = "同じ名前の項目を既に取り込んでいます。";
inline constexpr char kNameTaken[] = "元の場所に同じ名前の項目が既にあります。";
inline constexpr char kNotRestored[] = "元の場所に書き込めません。";
inline constexpr char kGone[] = "元の場所に見つかりません。既に削除されたか名前が変わっています。";
inline constexpr char kChanged[] =
    "取り込む間に元の項目が変更されました。ﾍﾟｰｼﾞで内容を確かめてから、もう一度取り込んでください。";
inline constexpr char kBrokenCommand[] =
    "ｺﾏﾝﾄﾞが空か引用符が閉じていないため、ﾘｽﾄから起動できません。ｺﾏﾝﾄﾞを直してから取り込んでくださ"
    "い。";
inline constexpr char kBadRecord[] =
    "記録の名前か元の場所が正しくないため、何も変更していません。記録を確かめてください。";
// %s is the entry's name.
inline constexpr char kForgetQuestion[] =
    "「%s」の保管したﾌｧｲﾙが見つからないため、元に戻せません。\r\n"
    "この取り込みの記録を消しますか？ 元の場所には何も作りません。";

// Repairs at load of what a killed or failed step left behind; %s is the entry's name. Each is
// a line of the log-on report, and at a window start they are shown together.
inline constexpr char kRepairsHeading[] =
    "前回の取り込みか元に戻す操作が途中で終わっていたため、次のとおり直しました。";
inline constexpr char kRepairGivenBack[] = "「%s」はﾘｽﾄに行がないため、元の場所に戻しました";
inline constexpr char kRepairRecordDropped[] =
    "「%s」は元の場所にあるため、取り込みの記録を消しました";
inline constexpr char kRepairKeptAdopted[] =
    "「%s」はﾘｽﾄに行があるため、元の場所に残った同じものを消して取り込んだままにしました";
inline constexpr char kRepairPlaceTaken[] =
    "「%"
    "s」は元の場所に同じ名前の別の項目があるため戻せません。ｽﾀｰﾄｱｯﾌﾟ項目のﾍﾟｰｼﾞで確かめてください";
inline constexpr char kRepairStrayCopy[] =
    "記録のない保管ﾌｧｲﾙ「%s」は元の場所に同じものがあるため消しました";
inline constexpr char kRepairFailed[] =
    "「%s」を直せませんでした。ｽﾀｰﾄｱｯﾌﾟ項目のﾍﾟｰｼﾞで確かめてください";

// The row could not be stored and the original could not be put back either: it stays kept.
inline constexpr char kKeptAsAdopted[] =
    "ﾘｽﾄを保存できず、元の場所にも戻せませんでした。\r\n"
    "「%s」は取り込み済みとして保管してあります。「元に戻す」で戻せます。";
// %s is the row's title.
inline constexpr char kRemoveRowQuestion[] = "ﾘｽﾄの「%s」を削除しますか？";

}  // namespace takeover_texts
