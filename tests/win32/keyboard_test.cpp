#include <gtest/gtest.h>
#include <windows.h>

#include "adapter_test_support.h"
#include "platform/win32/win32_keyboard.h"

namespace {

// The toggle state is read in this process, which has no windows: there the key events
// take effect reliably.
class KeyboardToggleTest : public ::testing::TestWithParam<int> {};

TEST_P(KeyboardToggleTest, PressAndReleaseFlipsTheToggleAndTwiceRestoresIt) {
  const int key = GetParam();
  Win32Keyboard keyboard;
  const bool before = keyboard.IsToggled(key);
  ASSERT_EQ(before, (GetKeyState(key) & 1) != 0);

  keyboard.PressAndRelease(key);
  EXPECT_TRUE(WaitUntil([&] { return keyboard.IsToggled(key) != before; }));
  EXPECT_FALSE(GetKeyState(key) & 0x8000) << "the key was left pressed";

  keyboard.PressAndRelease(key);
  EXPECT_TRUE(WaitUntil([&] { return keyboard.IsToggled(key) == before; }));
  EXPECT_FALSE(GetKeyState(key) & 0x8000) << "the key was left pressed";
}

INSTANTIATE_TEST_SUITE_P(LockKeys, KeyboardToggleTest, ::testing::Values(kVkCapital, kVkNumLock),
                         [](const auto& info) {
                           return info.param == kVkCapital ? std::string("CapsLock")
                                                           : std::string("NumLock");
                         });

}  // namespace
