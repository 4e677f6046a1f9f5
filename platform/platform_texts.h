#pragma once

// The texts the platform adapters show or raise themselves. The rest of the program's texts
// add to the same namespace in core/texts.h.

namespace texts {

// Button texts of every message box.
inline constexpr char kButtonYes[] = "はい(&Y)";
inline constexpr char kButtonNo[] = "いいえ(&N)";
inline constexpr char kButtonOk[] = "OK";
inline constexpr char kButtonCancel[] = "キャンセル";
inline constexpr char kButtonRetry[] = "再試行(&R)";

// Errors of the registry and the item file; %s is replaced by the name or path.
inline constexpr char kErrBadValueType[] = "'%s' のデータ型が不正です";
inline constexpr char kErrCreateKey[] = "キー %s の作成に失敗しました";
inline constexpr char kErrWriteValue[] = "'%s' の設定に失敗しました";
inline constexpr char kErrReadValue[] = "'%s' の取得に失敗しました";
inline constexpr char kErrSystemCall[] = "%s に失敗しました: %s";
inline constexpr char kErrNoProcessList[] = "実行中のプログラムの一覧を取得できません";
inline constexpr char kErrWriteItemFile[] = "%s に書き込めません";
// A file that could not be read: its path, then the system's reason.
inline constexpr char kErrReadItemFile[] = "%s を読み込めません: %s";
// The reason of an error the system has no words for; %s is its code.
inline constexpr char kErrorCode[] = "エラー %s";
// A file that could not be written or deleted, or a value that could not be deleted: its path
// or name, then the system's reason.
inline constexpr char kErrWriteFile[] = "%s に書き込めません: %s";
inline constexpr char kErrDeleteFile[] = "%s を削除できません: %s";
inline constexpr char kErrDeleteValue[] = "'%s' を削除できません";
// A dialog that could not be created; %s is the system's error code.
inline constexpr char kErrCreateDialog[] = "ダイアログを表示できません (エラー %s)";

}  // namespace texts
