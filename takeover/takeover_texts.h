#pragma once

// Texts of the start-up entries page. Sources are UTF-8; the compiler turns them into
// Shift-JIS bytes.

namespace takeover_texts {

inline constexpr char kPageCaption[] = "ｽﾀｰﾄｱｯﾌﾟ項目";
inline constexpr char kColumnPlace[] = "場所";
inline constexpr char kColumnName[] = "名前";
inline constexpr char kColumnCommand[] = "コマンド";
inline constexpr char kColumnMark[] = "重複";
inline constexpr char kTakeOverButton[] = "取り込む(&T)";
inline constexpr char kGiveBackButton[] = "元に戻す(&M)";
inline constexpr char kUninstallButton[] = "ｱﾝｲﾝｽﾄｰﾙ(&U)...";

inline constexpr char kListHint[] =
    "ﾛｸﾞｵﾝ時にWindowsが起動する項目です。重複はﾘｽﾄにも同じﾌﾟﾛｸﾞﾗﾑがあるものです";
inline constexpr char kTakeOverHint[] =
    "選択した項目をﾘｽﾄに取り込んで保存し、Windowsからは起動しないようにします";
inline constexpr char kGiveBackHint[] = "取り込んだ項目を元の場所に戻します";
inline constexpr char kUninstallHint[] =
    "取り込んだ項目をすべて元に戻し、Morvelinの登録と設定を削除します";

// Where an entry is, in words a user knows.
inline constexpr char kPlaceUserRun[] = "このユーザー (Run)";
inline constexpr char kPlaceUserRunOnce[] = "このユーザー (RunOnce)";
inline constexpr char kPlaceMachineRun[] = "全ユーザー (Run)";
inline constexpr char kPlaceMachineRunOnce[] = "全ユーザー (RunOnce)";
inline constexpr char kPlaceUserStartup[] = "スタートアップ フォルダ";
inline constexpr char kPlaceCommonStartup[] = "全ユーザーのスタートアップ フォルダ";
inline constexpr char kPlaceKeptValue[] = "取り込み済み (Run)";
inline constexpr char kPlaceKeptFile[] = "取り込み済み (スタートアップ フォルダ)";
inline constexpr char kMarkDuplicate[] = "重複";
inline constexpr char kMarkReadOnly[] = "読み取り専用";
inline constexpr char kMarkOwn[] = "Morvelin";
inline constexpr char kMarkInexactName[] = "名前を表せないため取り込めません";
inline constexpr char kMarkBadRecord[] = "記録が正しくありません";
inline constexpr char kMarkPlaceTaken[] = "元の場所に同じ名前あり";
inline constexpr char kMarkCopyMissing[] = "保管したﾌｧｲﾙがありません";

// %s is the entry's name; the reason follows on a line of its own.
inline constexpr char kTakeOverFailed[] = "「%s」を取り込めませんでした。元の登録はそのままです。";
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
inline constexpr char kRepairStaysTakenOver[] =
    "「%s」はﾘｽﾄに行があるため、元の場所に残った同じものを消して取り込んだままにしました";
inline constexpr char kRepairPlaceTaken[] =
    "「%"
    "s」は元の場所に同じ名前の別の項目があるため戻せません。ｽﾀｰﾄｱｯﾌﾟ項目のﾍﾟｰｼﾞで確かめてください";
inline constexpr char kRepairStrayCopy[] =
    "記録のない保管ﾌｧｲﾙ「%s」は元の場所に同じものがあるため消しました";
inline constexpr char kRepairFailed[] =
    "「%s」を直せませんでした。ｽﾀｰﾄｱｯﾌﾟ項目のﾍﾟｰｼﾞで確かめてください";

// The row could not be stored and the original could not be put back either: it stays kept.
inline constexpr char kStaysTakenOver[] =
    "ﾘｽﾄを保存できず、元の場所にも戻せませんでした。\r\n"
    "「%s」は取り込み済みとして保管してあります。「元に戻す」で戻せます。";
// %s is the row's title.
inline constexpr char kRemoveRowQuestion[] = "ﾘｽﾄの「%s」を削除しますか？";
inline constexpr char kKeptRowStartsTwice[] =
    "ﾘｽﾄに残すと、WindowsとMorvelinの両方から起動されます。\r\n";
inline constexpr char kRowRemoved[] = "ﾘｽﾄの「%s」は削除しました。";

// Before a step that saves the list.
inline constexpr char kSaveBeforeStep[] =
    "ﾘｽﾄかｵﾌﾟｼｮﾝに、まだ保存していない変更があります。\r\n"
    "この操作ではﾘｽﾄを保存するため、それらの変更も一緒に保存します。よろしいですか？\r\n"
    "「いいえ」を選ぶと何もせず、変更は保存しないまま残ります。";
// After a step: %s is the entry's name; the place follows.
inline constexpr char kKept[] =
    "「%s」をﾘｽﾄの最後に取り込み、ﾘｽﾄとｵﾌﾟｼｮﾝを保存しました。"
    "次のﾛｸﾞｵﾝからはWindowsではなくMorvelinが起動します。\r\n"
    "元の登録はそのままの形で次の場所に保管してあります: ";
inline constexpr char kKeptUndo[] =
    "\r\n元に戻すには、このﾍﾟｰｼﾞで取り込み済みの項目を選んで「元に戻す」を押して下さい。";
inline constexpr char kGivenBack[] = "「%s」を元の場所に戻しました: ";
inline constexpr char kGivenBackUndo[] =
    "次のﾛｸﾞｵﾝからはWindowsが起動します。もう一度Morvelinで起動するには、"
    "ｽﾀｰﾄｱｯﾌﾟ項目ﾍﾟｰｼﾞで選んで「取り込む」を押して下さい。";
inline constexpr char kRegistryKeyWord[] = "ﾚｼﾞｽﾄﾘのｷｰ";
inline constexpr char kFolderWord[] = "ﾌｫﾙﾀﾞ";

// The uninstall.
inline constexpr char kUninstallQuestion[] =
    "Morvelinをｱﾝｲﾝｽﾄｰﾙしますか？\r\n\r\n"
    "取り込んだｽﾀｰﾄｱｯﾌﾟ項目をすべて元の場所に戻してから、ｽﾀｰﾄｱｯﾌﾟの「Morvelin.lnk」、"
    "ﾃﾞｽｸﾄｯﾌﾟの「Morvelinへのショートカット」とﾚｼﾞｽﾄﾘの設定"
    "(HKEY_CURRENT_USER\\Software\\Brel\\Morvelin)を削除します。\r\n"
    "ﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞは最後に手で削除して下さい。";
inline constexpr char kUninstallStopped[] =
    "次の項目を元の場所に戻せなかったため、ｱﾝｲﾝｽﾄｰﾙを中止しました。"
    "これらは取り込み済みのまま保管してあり、ほかには何も削除していません。\r\n\r\n";
inline constexpr char kUninstallStoppedHint[] =
    "原因を取り除いてから、もう一度ｱﾝｲﾝｽﾄｰﾙして下さい。";
// %s is the program's folder.
inline constexpr char kUninstalled[] =
    "Morvelinをｱﾝｲﾝｽﾄｰﾙしました。取り込んだ項目はすべて元の場所に戻してあります。\r\n"
    "最後に、ﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞ「%s」をﾌｫﾙﾀﾞごと手で削除して下さい"
    "(Morvelin.ini、Morvelin.log、Morvelin.hst、Morvelin.htmlもこの中にあります)。";
inline constexpr char kUninstallLeftovers[] =
    "次のものは削除できなかったので、手で削除して下さい:\r\n";
inline constexpr char kUninstallWhileRunning[] =
    "Morvelinが実行中のため、ｱﾝｲﾝｽﾄｰﾙできません。\r\n"
    "ﾀｽｸﾄﾚｲの「Morvelinの終了」か設定画面を閉じて終了してから、もう一度実行して下さい。";

}  // namespace takeover_texts
