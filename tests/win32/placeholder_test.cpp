#include <gtest/gtest.h>
#include <windows.h>

TEST(Wine, CodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }
