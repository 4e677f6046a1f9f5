#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "adapter_test_support.h"
#include "common/registry_values.h"
#include "platform/app_error.h"
#include "platform/win32/win32_registry.h"

namespace {

// Each test works under a key of its own below HKCU\Software\MorvelinTest.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    relative_ = std::string("Software\\MorvelinTest\\") + UniqueName(info->name());
    path_ = "\\" + relative_;
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, relative_.c_str()); }

  bool KeyExists(const std::string& relative) const {
    return RegKeyExists(HKEY_CURRENT_USER, relative);
  }
  RegValue ReadRaw(const std::string& section, const std::string& name) const {
    return ReadRegValue(HKEY_CURRENT_USER, relative_ + "\\" + section, name);
  }
  void PutRaw(const std::string& section, const std::string& name, DWORD type,
              const std::string& bytes) const {
    ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, relative_ + "\\" + section, name, type, bytes));
  }

  // The message of the AppError that the call throws, or "(no error)".
  template <typename Call>
  static std::string ErrorOf(Call call) {
    try {
      call();
    } catch (const AppError& error) {
      return error.what();
    }
    return "(no error)";
  }

  std::string relative_;  // below HKEY_CURRENT_USER, no leading backslash
  std::string path_;      // as the program names it, with the leading backslash
  Win32Registry registry_;
};

TEST_F(RegistryTest, OpeningCreatesTheMissingKeyButNotTheSection) {
  ASSERT_FALSE(KeyExists(relative_));
  auto key = registry_.OpenCurrentUserKey(path_);
  EXPECT_TRUE(KeyExists(relative_));
  EXPECT_FALSE(KeyExists(relative_ + "\\Window"));
  EXPECT_EQ(key->ReadText("Window", "Left"), std::nullopt);
  EXPECT_FALSE(KeyExists(relative_ + "\\Window")) << "reading must not create the section";
}

TEST_F(RegistryTest, WriteCreatesTheSectionAndStoresTextWithOneNul) {
  auto key = registry_.OpenCurrentUserKey(path_);
  key->WriteText("Window", "Left", "-120");
  key->WriteText("Window", "MP", "");

  const RegValue left = ReadRaw("Window", "Left");
  ASSERT_TRUE(left.exists);
  EXPECT_EQ(left.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(left.bytes, std::string("-120\0", 5));

  const RegValue empty = ReadRaw("Window", "MP");
  ASSERT_TRUE(empty.exists);
  EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(empty.bytes, std::string(1, '\0'));
  EXPECT_EQ(key->ReadText("Window", "MP"), std::optional<std::string>(""))
      << "an empty text is a value, not a missing one";
}

TEST_F(RegistryTest, ShiftJisTextRoundTripsByteForByte) {
  // "ソ" and "表" end in 0x5C, the backslash byte.
  const std::string text = "ソ表示 http://例え.jp/ﾎｰﾑ";
  ASSERT_EQ(text.substr(0, 2), "\x83\x5C");
  {
    auto key = registry_.OpenCurrentUserKey(path_);
    key->WriteText("Window", "MP", text);
  }
  EXPECT_EQ(ReadRaw("Window", "MP").bytes, text + '\0');
  auto reopened = registry_.OpenCurrentUserKey(path_);
  EXPECT_EQ(reopened->ReadText("Window", "MP"), text);
}

TEST_F(RegistryTest, LongValuesAreReadWhole) {
  std::string text;
  while (text.size() < 70000) text += "長いテキスト0123456789";
  auto key = registry_.OpenCurrentUserKey(path_);
  key->WriteText("Window", "MP", text);
  EXPECT_EQ(ReadRaw("Window", "MP").bytes.size(), text.size() + 1);
  const auto read = key->ReadText("Window", "MP");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), text.size());
  EXPECT_EQ(*read, text);
}

TEST_F(RegistryTest, OverwritingReplacesTheValue) {
  auto key = registry_.OpenCurrentUserKey(path_);
  key->WriteText("Window", "Count", "12345");
  key->WriteText("Window", "Count", "3");
  EXPECT_EQ(key->ReadText("Window", "Count"), "3");
  EXPECT_EQ(ReadRaw("Window", "Count").bytes, std::string("3\0", 2));
}

TEST_F(RegistryTest, MissingValueInAnExistingSectionIsNothing) {
  auto key = registry_.OpenCurrentUserKey(path_);
  key->WriteText("Window", "Left", "0");
  EXPECT_EQ(key->ReadText("Window", "Top"), std::nullopt);
  EXPECT_EQ(key->ReadText("Other", "Left"), std::nullopt);
}

TEST_F(RegistryTest, ValuesStoredByOthersAreReadAsText) {
  PutRaw("Window", "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
  PutRaw("Window", "NoNul", REG_SZ, "1");
  PutRaw("Window", "TwoStrings", REG_SZ, std::string("ab\0cd\0", 6));
  auto key = registry_.OpenCurrentUserKey(path_);
  EXPECT_EQ(key->ReadText("Window", "Expand"), "%TEMP%\\x");
  EXPECT_EQ(key->ReadText("Window", "NoNul"), "1");
  EXPECT_EQ(key->ReadText("Window", "TwoStrings"), "ab");
}

TEST_F(RegistryTest, ValueOfAnotherTypeIsADataTypeError) {
  PutRaw("Window", "Left", REG_DWORD, std::string("\x05\0\0\0", 4));
  PutRaw("Window", "Top", REG_BINARY, "12");
  PutRaw("Window", "Height", REG_MULTI_SZ, std::string("333\0\0", 5));
  auto key = registry_.OpenCurrentUserKey(path_);
  EXPECT_EQ(ErrorOf([&] { key->ReadText("Window", "Left"); }), "'Left' のデータ型が不正です");
  EXPECT_EQ(ErrorOf([&] { key->ReadText("Window", "Top"); }), "'Top' のデータ型が不正です");
  EXPECT_EQ(ErrorOf([&] { key->ReadText("Window", "Height"); }), "'Height' のデータ型が不正です");
}

TEST_F(RegistryTest, KeyDeletedWhileOpenGivesReadAndSectionErrors) {
  auto key = registry_.OpenCurrentUserKey(path_);
  key->WriteText("Window", "Left", "1");
  ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, relative_.c_str()), ERROR_SUCCESS);
  EXPECT_EQ(ErrorOf([&] { key->ReadText("Window", "Left"); }), "'Left' の取得に失敗しました");
  EXPECT_EQ(ErrorOf([&] { key->WriteText("Window", "Left", "2"); }),
            "キー Window の作成に失敗しました");
}

TEST_F(RegistryTest, ValueThatCannotBeWrittenIsASettingError) {
  auto key = registry_.OpenCurrentUserKey(path_);
  // The registry refuses value names this long.
  const std::string name(20000, 'N');
  EXPECT_EQ(ErrorOf([&] { key->WriteText("Window", name, "1"); }),
            "'" + name + "' の設定に失敗しました");
  key->WriteText("Window", "Left", "7");
  EXPECT_EQ(key->ReadText("Window", "Left"), "7") << "the key stays usable after a failure";
}

TEST_F(RegistryTest, KeyThatCannotBeCreatedIsReported) {
  // A path through a value-less volatile key cannot hold a non-volatile subkey.
  HKEY parent = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, relative_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &parent, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(parent);
  EXPECT_EQ(ErrorOf([&] { registry_.OpenCurrentUserKey(path_ + "\\Child"); }),
            "キー " + path_ + "\\Child の作成に失敗しました");
}

}  // namespace
