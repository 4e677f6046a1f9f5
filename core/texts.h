#pragma once

// The program's own texts. Sources are UTF-8; the compiler turns them into Shift-JIS bytes.

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

// Message box captions by kind.
inline constexpr char kCaptionWarning[] = "警告";
inline constexpr char kCaptionError[] = "エラー";
inline constexpr char kCaptionInformation[] = "情報";
inline constexpr char kCaptionConfirmation[] = "確認";

// Button texts of every message box.
inline constexpr char kButtonYes[] = "はい(&Y)";
inline constexpr char kButtonNo[] = "いいえ(&N)";
inline constexpr char kButtonOk[] = "OK";
inline constexpr char kButtonCancel[] = "キャンセル";

// Errors; %s is replaced by the name or path.
inline constexpr char kErrBadValueType[] = "'%s' のデータ型が不正です";
inline constexpr char kErrCreateKey[] = "キー %s の作成に失敗しました";
inline constexpr char kErrWriteValue[] = "'%s' の設定に失敗しました";
inline constexpr char kErrReadValue[] = "'%s' の取得に失敗しました";
inline constexpr char kErrWriteItemFile[] = "%s に書き込めません";
inline constexpr char kErrNotInteger[] = "'%s' は整数ではありません";
// A stored item count beyond what a load will read; the count, then the limit.
inline constexpr char kErrTooManyItems[] =
    "アイテム数 %s が上限の %s を超えています。アイテムは読み込まれませんでした";

// Entry and modes.
inline constexpr char kSecondInstance[] = "二重起動は出来ません";
inline constexpr char kWelcome[] =
    "Morvelinをご利用いただき、誠に有り難うございます。\r\n"
    "スタートアッププログラムを登録して下さい。";
inline constexpr char kRestartQuestion[] = "今すぐWindowsを再起動しますか？";
inline constexpr char kTrayTipPrefix[] = "Morvelin ";
inline constexpr char kYear[] = "年";
inline constexpr char kMonth[] = "月";
inline constexpr char kDay[] = "日";

// List editing.
inline constexpr char kSelectFile[] = "ファイルを選択して下さい";
inline constexpr char kDeleteQuestion[] = "削除しますか？";
inline constexpr char kRunQuestionSuffix[] = "を実行しますか？";

// Item dialog.
inline constexpr char kNoTitle[] = "タイトル名が入力されていません";
inline constexpr char kNoFileName[] = "ファイル名が入力されていません";

}  // namespace texts
