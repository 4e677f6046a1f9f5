#pragma once

// Texts of the shell integration and the about box. Sources are UTF-8; the compiler turns them
// into Shift-JIS bytes.

namespace shell_texts {

inline constexpr char kStartupGroup[] = "ｽﾀｰﾄｱｯﾌﾟ";
inline constexpr char kItemName[] = "Morvelin";
inline constexpr char kProgman[] = "PROGMAN";
inline constexpr char kShortcutSuffix[] = "へのショートカット.lnk";
inline constexpr char kRegisterQuestion[] =
    "｢ｽﾀｰﾄｱｯﾌﾟ｣にMorvelinを登録しますか？\r\n"
    "登録後、重複するｱﾌﾟﾘｹｰｼｮﾝは｢ｽﾀｰﾄｱｯﾌﾟ｣から削除して下さい。";
inline constexpr char kRegisterFailed[] = "ショートカットの制作に失敗しました。";
inline constexpr char kStartupEntrySuffix[] = ".lnk";
inline constexpr char kUnregisterQuestion[] =
    "｢ｽﾀｰﾄｱｯﾌﾟ｣にはMorvelinが既に登録されています。\r\n"
    "登録を解除しますか？";
inline constexpr char kUnregisterFailed[] = "｢ｽﾀｰﾄｱｯﾌﾟ｣からMorvelinを削除できませんでした。";
inline constexpr char kDesktopQuestion[] = "ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成しますか?";

// Help; %s is the help file's path.
inline constexpr char kHelpMissing[] = "ヘルプファイル %s が見つかりません。";
inline constexpr char kHelpNotOpened[] =
    "ヘルプ %s を開けませんでした。ブラウザが設定されているか確かめて下さい。";

// About box.
inline constexpr char kAboutCaption[] = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr char kTitleFont[] = "Times New Roman";
inline constexpr char kWww[] = "WWW";
inline constexpr char kTotalMemoryLabel[] = "Memory Available to Windows : ";
inline constexpr char kFreeMemoryLabel[] = "Free Memory : ";
inline constexpr char kNoResourceFigures[] = "Windows2000";
inline constexpr char kErrUserExe[] = "Faild to call User.exe";
inline constexpr char kErrFunction[] = "Faild to call function";
inline constexpr char kErrKernel32[] = "Faild to call Kernel32.dll";
inline constexpr char kErrQtThunk[] = "Faild to call QT_Thunk";

}  // namespace shell_texts
