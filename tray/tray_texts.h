#pragma once

// The tray launcher's own texts (Shift-JIS after compilation).
namespace tray_texts {
inline constexpr char kCannotRegisterIcon[] = "タスクトレイにアイコンを登録できません。";
// The launcher menu's fixed entries.
inline constexpr char kSeparator[] = "-";
inline constexpr char kHomePage[] = "ﾎｰﾑﾍﾟｰｼﾞ";
// First, after a log-on run skipped with Shift: the rows due now.
inline constexpr char kRunNow[] = "今すぐ起動(&N)";
inline constexpr char kScreenSaver[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ起動...(&S)";
inline constexpr char kListing[] = "一覧...(&D)";
inline constexpr char kHelp[] = "ﾍﾙﾌﾟ...(&H)";
inline constexpr char kVersion[] = "ﾊﾞｰｼﾞｮﾝ情報...(&A)";
inline constexpr char kQuit[] = "Morvelinの終了(&X)";
// The desktop conveniences menu.
inline constexpr char kShowMini[] = "全て最小化(元に戻す)...(&M)";
inline constexpr char kHomePageOpen[] = "一番お気に入りのﾎｰﾑﾍﾟｰｼﾞ";
inline constexpr char kDeskTop[] = "ﾃﾞｽｸﾄｯﾌﾟを開く";
inline constexpr char kExploreOpen[] = "ｴｸｽﾌﾟﾛｰﾗ(&E)";
inline constexpr char kMyDocumentsOpen[] = "My Documentsを開く";
inline constexpr char kExplorer[] = "EXPLORER.EXE";
inline constexpr char kOpenFilter[] =
    "すべてのﾌｧｲﾙ(*.*)|*.*|ﾌﾟﾛｸﾞﾗﾑ(*.exe)|*.exe|ｼｮｰﾄｶｯﾄ(*.lnk)|*.lnk|"
    "MicroSoft Excelﾌｧｨﾙ (*.x*)|*.x*|Word文書 (*.doc)|*.doc";
inline constexpr char kOpenDefault[] = "*.*";
// The home page document.
inline constexpr char kHomePageFile[] = "Morvelin.html";
inline constexpr char kHomePageOpenName[] = "MORVELIN.html";
}  // namespace tray_texts
