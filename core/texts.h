#pragma once

// The program's own texts. Sources are UTF-8; the compiler turns them into Shift-JIS bytes.

#include "platform/platform_texts.h"

namespace texts {

inline constexpr char kAppTitle[] = "Morvelin";
inline constexpr char kMutexName[] = "Morvelin";
inline constexpr char kVersionText[] = "Version 2.1";
inline constexpr char kStartupSwitch[] = "/N";

// Storage.
inline constexpr char kRegistryKeyPath[] = "\\Software\\Brel\\Morvelin";
inline constexpr char kRegistrySection[] = "Window";
inline constexpr char kItemFileName[] = "Morvelin";
inline constexpr char kItemFileExtension[] = ".ini";
inline constexpr char kItemSection[] = "Items";
inline constexpr char kHelpFileName[] = "Morvelin.Hlp";
// The same help as web pages, for systems without the WinHelp viewer.
inline constexpr char kHelpPageFolder[] = "MorvelinHelp";

// Message box captions by kind.
inline constexpr char kCaptionWarning[] = "警告";
inline constexpr char kCaptionError[] = "エラー";
inline constexpr char kCaptionInformation[] = "情報";
inline constexpr char kCaptionConfirmation[] = "確認";

// Errors; %s is replaced by the name or path.
// Any error the program did not raise itself; its detail goes to the log.
inline constexpr char kInternalError[] =
    "内部エラーが発生しました。操作は完了していません。\r\n"
    "もう一度やり直して下さい。詳しい内容はﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞの Morvelin.log に記録しました。";
inline constexpr char kErrNotInteger[] = "'%s' は整数ではありません";
// A stored item count beyond what a load will read; the count, then the limit.
inline constexpr char kErrTooManyItems[] =
    "アイテム数 %s が上限の %s を超えています。アイテムは読み込まれませんでした";
// The stored list could not be read; a save would put the list in memory in its place.
inline constexpr char kReplaceUnreadList[] =
    "保存されているアイテムの一覧を読み込めませんでした。\r\n"
    "今の一覧で置き換えますか？\r\n"
    "「いいえ」を選ぶと設定だけを保存し、保存されている一覧はそのまま残します。";
// The item file is held by another program: in the window, and at log-on once the wait is over
// (%s: the seconds waited).
inline constexpr char kHeldItemFileRetry[] =
    "ほかのプログラムがアイテムファイルを使い終えてから「再試行」を押して下さい。\r\n"
    "「キャンセル」を選ぶと一覧を読まずに開きます。";
inline constexpr char kHeldItemFileGaveUp[] =
    "%s秒待ってもアイテムファイルは使用中のままだったため、何も起動しませんでした。\r\n"
    "使用しているプログラムを終えてから、もう一度ログオンして下さい。";
// A stored "Count" that is no number while rows are stored; %s is what is stored.
inline constexpr char kCountNotNumber[] =
    "保存されているアイテム数 '%s' が数値ではないため、アイテムの一覧を表示できません。\r\n"
    "保存されている一覧はそのまま残っています。";
// A value the item file cannot hold: the item's title, the field, the limit in bytes.
inline constexpr char kErrValueNotStorable[] =
    "アイテム「%s」の%sは保存できません。%s バイト以内の1行にして下さい";
inline constexpr char kFieldNameTitle[] = "タイトル";
inline constexpr char kFieldNameFile[] = "ファイル名";
inline constexpr char kFieldNameFolder[] = "作業フォルダ";
inline constexpr char kFieldNameArgs[] = "引数";
inline constexpr char kFieldNameState[] = "ウィンドウの状態";
inline constexpr char kFieldNameBand[] = "起動時間";
inline constexpr char kFieldNameOnce[] = "一日一回";
inline constexpr char kFieldNameHome[] = "ホームページ";
inline constexpr char kFieldNameCondition[] = "起動条件";
// Add or Separate at the most rows a load reads; the limit.
inline constexpr char kErrListFull[] = "アイテムは %s 個までしか登録できません";
// Run of a row whose texts the shell cannot take.
inline constexpr char kErrLaunchTooLong[] =
    "ファイル名、作業フォルダまたは引数が長すぎるため実行できません";

// Entry and modes.
inline constexpr char kSecondInstance[] = "二重起動は出来ません";
inline constexpr char kWelcome[] =
    "Morvelinをご利用いただき、誠に有り難うございます。\r\n"
    "スタートアッププログラムを登録して下さい。";
inline constexpr char kRestartQuestion[] = "今すぐWindowsを再起動しますか？";
// The close box with unsaved changes: Yes saves, No discards, Cancel stays in the window.
inline constexpr char kSaveChangesQuestion[] =
    "アイテムの一覧または設定の変更が保存されていません。\r\n"
    "保存してから終了しますか？\r\n"
    "「いいえ」を選ぶと変更を捨てて終了します。";
inline constexpr char kTrayTipPrefix[] = "Morvelin ";
inline constexpr char kYear[] = "年";
inline constexpr char kMonth[] = "月";
inline constexpr char kDay[] = "日";

// Main window.
inline constexpr char kBandFile[] = "File";
inline constexpr char kBandEdit[] = "Edit";
inline constexpr char kBandOption[] = "Option";
inline constexpr char kBandHelp[] = "Help";
inline constexpr char kTabApplication[] = "Application";
inline constexpr char kTabProperties[] = "Propertis";
inline constexpr char kOkBtnCaption[] = "&Ok";
inline constexpr char kOkBtnHint[] = "保存して終了";
inline constexpr char kCancelBtnCaption[] = "&Cancel";
inline constexpr char kCancelBtnHint[] = "ｷｬﾝｾﾙして終了";
inline constexpr char kUpdateBtnCaption[] = "&Update";
inline constexpr char kUpdateBtnHint[] = "適用";
inline constexpr char kAddBtnCaption[] = "&Add";
inline constexpr char kAddBtnHint[] = "追加";
inline constexpr char kEditBtnCaption[] = "&Edit";
inline constexpr char kEditBtnHint[] = "編集";
inline constexpr char kDeleteBtnCaption[] = "&Delete";
inline constexpr char kDeleteBtnHint[] = "削除";
inline constexpr char kSeparatorBtnCaption[] = "&Separate";
inline constexpr char kSeparatorBtnHint[] = "ｾﾊﾟﾚｰﾄ";
inline constexpr char kMoveUpBtnCaption[] = "&Up";
inline constexpr char kMoveDownBtnCaption[] = "&Down";
inline constexpr char kMoveUpHint[] = "上へ移動";
inline constexpr char kMoveDownHint[] = "下へ移動";
inline constexpr char kRunBtnCaption[] = "&Run";
inline constexpr char kRunBtnHint[] = "選択ｱｲﾃﾑを実行";
inline constexpr char kListViewButtonCaption[] = "&List";
inline constexpr char kListViewButtonHint[] = "一覧";
inline constexpr char kHelpBtnCaption[] = "&Version";
inline constexpr char kHelpBtnHint[] = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr char kHelpButtonCaption[] = "&Help";
inline constexpr char kHelpButtonHint[] = "ﾍﾙﾌﾟ";
inline constexpr char kGroupButtonCaption[] = "&Startup";
inline constexpr char kGroupButtonHint[] = "ｽﾀｰﾄﾒﾆｭｰの「ｽﾀｰﾄｱｯﾌﾟ｣ﾌｫﾙﾀﾞにｼｮｰﾄｶｯﾄを作成します";
inline constexpr char kShortcutButtonCaption[] = "ShortCut";
inline constexpr char kShortcutButtonHint[] = "ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成します";
inline constexpr char kListHint[] = "有効にする場合はﾁｪｯｸを忘れずに。";
inline constexpr char kHomePageLabel[] = "一番お気に入りのホームページ";
inline constexpr char kHomePageHint[] = "お気に入りのホームページアドレスを入力して下さい";
inline constexpr char kLanCheckBoxCaption[] = "ﾗﾝﾁｬとして使用する";
inline constexpr char kLanCheckBoxHint[] = "ﾏｼﾝ起動後、ﾀｽｸﾄﾚｲに常駐しﾗﾝﾁｬとして使う";
inline constexpr char kClearCheckBoxCaption[] = "最近使ったﾌｧｲﾙを削除";
inline constexpr char kClearCheckBoxHint[] = "起動時に最近使ったﾌｧｲﾙを削除します";
inline constexpr char kCapsCheckBoxCaption[] = "[Caps]をOnにする";
inline constexpr char kCapsCheckBoxHint[] = "起動時にCapsLockをOnにします";
inline constexpr char kNumCheckBoxCaption[] = "[NumLock]をOnにする";
inline constexpr char kNumCheckBoxHint[] = "起動時にNumLockをOnにします";
inline constexpr char kMenuIconCheckBoxCaption[] = "ﾒﾆｭｰにｱｲｺﾝを追加する";
// The list's context menu.
inline constexpr char kAllOkCaption[] = "すべて選択";
inline constexpr char kAllOkHint[] = "全てのｱｲﾃﾑをﾁｪｯｸします";
inline constexpr char kAllNgCaption[] = "すべて解除";
inline constexpr char kAllNgHint[] = "全てのｱｲﾃﾑのﾁｪｯｸを解除します";
inline constexpr char kMoveUpMenuCaption[] = "上へ";
inline constexpr char kMoveDownMenuCaption[] = "下へ";

// List editing.
inline constexpr char kSelectFile[] = "ファイルを選択して下さい";
inline constexpr char kDeleteQuestion[] = "削除しますか？";
// %s is the row's title.
inline constexpr char kDeleteTakenOverQuestion[] =
    "「%s」はｽﾀｰﾄｱｯﾌﾟ項目から取り込んだ項目です。元の場所に戻してから削除しますか？\r\n"
    "「いいえ」を選ぶとﾘｽﾄからだけ削除し、元の登録は取り込み済みのまま保管されます。";
inline constexpr char kTakenOverRowDeleted[] =
    "ﾘｽﾄから削除しました。元の登録は取り込み済みのまま保管してあり、"
    "ｽﾀｰﾄｱｯﾌﾟ項目ﾍﾟｰｼﾞに残っています。\r\n"
    "Windowsにもう一度起動させるには、そのﾍﾟｰｼﾞで選んで「元に戻す」を押して下さい。";
inline constexpr char kRunQuestionSuffix[] = "を実行しますか？";

// Item dialog.
inline constexpr char kNoTitle[] = "タイトル名が入力されていません";
inline constexpr char kNoFileName[] = "ファイル名が入力されていません";
// OK on texts the shell cannot take: the dialog keeps them for the user to shorten.
inline constexpr char kFileTooLong[] =
    "ファイル名、作業フォルダまたは引数が長すぎるため実行できません。短くして下さい";

}  // namespace texts
