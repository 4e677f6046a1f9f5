#pragma once

// The start-up entries page in 96-dpi pixels: the only source of its layout.
namespace takeover_page_layout {

inline constexpr int kMargin = 6;
inline constexpr int kButtonWidth = 96;
inline constexpr int kButtonHeight = 23;
inline constexpr int kButtonGap = 6;
inline constexpr int kUninstallWidth = 112;
inline constexpr int kTipWidth = 320;
// 場所, 名前, コマンド, the duplicate mark: the first widths; the place and the mark then fit
// their texts and the command takes the rest.
inline constexpr int kColumnWidths[] = {132, 80, 180, 52};

}  // namespace takeover_page_layout
