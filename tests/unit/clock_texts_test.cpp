#include "core/clock_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockTexts, DateAndTimeHaveTwoDigitFields) {
  const LocalTime morning{2026, 12, 6, 8, 5, 59};
  EXPECT_EQ(TodayText(morning), "12/06");
  EXPECT_EQ(ClockText(morning), "08:05");
  const LocalTime midnight{2027, 1, 1, 0, 0, 0};
  EXPECT_EQ(TodayText(midnight), "01/01");
  EXPECT_EQ(ClockText(midnight), "00:00");
  const LocalTime late{2027, 10, 31, 23, 59, 0};
  EXPECT_EQ(TodayText(late), "10/31");
  EXPECT_EQ(ClockText(late), "23:59");
}

TEST(ClockTexts, TrayTipHasTheDateWithoutLeadingZeros) {
  EXPECT_EQ(TrayTipText({2026, 12, 6, 8, 12, 30}), "Morvelin 2026年12月6日");
  EXPECT_EQ(TrayTipText({2027, 1, 1, 0, 0, 0}), "Morvelin 2027年1月1日");
  EXPECT_EQ(TrayTipText({2030, 10, 31, 23, 59, 59}), "Morvelin 2030年10月31日");
}

TEST(ProgramFolder, EndsWithTheLastBackslashOrColon) {
  EXPECT_EQ(ProgramFolderOf("C:\\Tools\\Morvelin\\Morvelin.exe"), "C:\\Tools\\Morvelin\\");
  EXPECT_EQ(ProgramFolderOf("C:Morvelin.exe"), "C:");
  EXPECT_EQ(ProgramFolderOf("\\\\server\\share\\m.exe"), "\\\\server\\share\\");
  EXPECT_EQ(ProgramFolderOf("Morvelin.exe"), "");
  EXPECT_EQ(ProgramFolderOf(""), "");
}

TEST(ProgramFolder, TrailByteThatLooksLikeABackslashIsNoSeparator) {
  // ソ is 83 5C and 表 is 95 5C in Shift-JIS.
  ASSERT_EQ(std::string("ソ"), "\x83\x5C");
  EXPECT_EQ(ProgramFolderOf("C:\\ソフト\\Morvelin.exe"), "C:\\ソフト\\");
  EXPECT_EQ(ProgramFolderOf("C:\\Tools\\ソ表.exe"), "C:\\Tools\\");
  EXPECT_EQ(ProgramFolderOf("D:\\ソ"), "D:\\");
  EXPECT_EQ(ProgramFolderOf("C:\\表\\ソ\\M.exe"), "C:\\表\\ソ\\");
  // A half-width katakana (single byte) followed by a backslash still splits.
  EXPECT_EQ(ProgramFolderOf("C:\\ｿ\\M.exe"), "C:\\ｿ\\");
}

}  // namespace
