#include "platform/profile_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct EditCase {
  const char* name;
  std::string before;
  std::vector<ProfileWrite> writes;
  std::string after;
};

class ProfileTextEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(ProfileTextEdit, ChangesOnlyTheValuesWritten) {
  const EditCase& c = GetParam();
  EXPECT_EQ(EditProfileText(c.before, "Items", c.writes), c.after);
}

const std::string kBom = "\xEF\xBB\xBF";
// A lone lead byte, a NUL and a trail byte 0x5C: none of them is any business of the editor.
const std::string kOddBytes = std::string("\x83\x5C\x82", 3) + std::string(1, '\0') + "x";

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileTextEdit,
    ::testing::Values(
        EditCase{"NewFile", "", {{"T0", "a"}, {"C0", "1"}}, "[Items]\r\nT0=a\r\nC0=1\r\n"},
        EditCase{"ReplaceKeepsOrder",
                 "[Items]\r\nT0=a\r\nC0=1\r\n",
                 {{"T0", "long title"}},
                 "[Items]\r\nT0=long title\r\nC0=1\r\n"},
        EditCase{"KeyAndSectionIgnoreCase",
                 "[items]\r\nt0=a\r\n",
                 {{"T0", "b"}, {"T1", "c"}},
                 "[items]\r\nt0=b\r\nT1=c\r\n"},
        EditCase{"NewKeyAtEndOfSectionBeforeTheNext",
                 "[Items]\r\nT0=a\r\n[Other]\r\nT1=x\r\n",
                 {{"T1", "b"}},
                 "[Items]\r\nT0=a\r\nT1=b\r\n[Other]\r\nT1=x\r\n"},
        EditCase{"FirstOfTwoSectionsOnly",
                 "[Items]\r\nT0=a\r\n[Items]\r\nT0=z\r\n",
                 {{"T0", "b"}},
                 "[Items]\r\nT0=b\r\n[Items]\r\nT0=z\r\n"},
        EditCase{"FirstOfTwoKeysOnly",
                 "[Items]\r\nT0=a\r\nT0=z\r\n",
                 {{"T0", "b"}},
                 "[Items]\r\nT0=b\r\nT0=z\r\n"},
        EditCase{"MissingSectionAppended",
                 "[Other]\r\nK=v",
                 {{"T0", "a"}},
                 "[Other]\r\nK=v\r\n[Items]\r\nT0=a\r\n"},
        EditCase{"LastLineWithoutEnding",
                 "[Items]\r\nT0=a",
                 {{"T1", "b"}},
                 "[Items]\r\nT0=a\r\nT1=b\r\n"},
        EditCase{"BlanksAroundKeepTheirBytes",
                 "[Items]\n  T0 =  old value  \n",
                 {{"T0", "  new"}},
                 "[Items]\n  T0 =  new  \n"},
        EditCase{"ValueHoldingEquals",
                 "[Items]\r\nA0=/q=1&r=2\r\nF0=http://x/?a=b\r\n",
                 {{"A0", "x=y"}},
                 "[Items]\r\nA0=x=y\r\nF0=http://x/?a=b\r\n"},
        EditCase{"KeyWithoutEquals", "[Items]\r\nT0\r\n", {{"T0", "a"}}, "[Items]\r\nT0=a\r\n"},
        EditCase{"CommentsAndBlankLinesStay",
                 "; mine\r\n\r\n[Items]\r\n; keep\r\nT0=a\r\n\r\n",
                 {{"T0", "b"}, {"C0", "1"}},
                 "; mine\r\n\r\n[Items]\r\n; keep\r\nT0=b\r\n\r\nC0=1\r\n"},
        EditCase{
            "CrOnlyLineEndings", "[Items]\rT0=a\rC0=0\r", {{"C0", "1"}}, "[Items]\rT0=a\rC0=1\r"},
        EditCase{"ByteOrderMarkStays",
                 kBom + "[Items]\r\nT0=\xE3\x83\xA1\r\n",
                 {{"D0", "112/06"}},
                 kBom + "[Items]\r\nT0=\xE3\x83\xA1\r\nD0=112/06\r\n"},
        EditCase{"OddBytesInUntouchedRowsStay",
                 "[Items]\r\nT0=" + kOddBytes + "\r\nD0=100/00\r\n",
                 {{"D0", "112/06"}},
                 "[Items]\r\nT0=" + kOddBytes + "\r\nD0=112/06\r\n"},
        EditCase{"SameNewKeyTwiceAddsOneLine",
                 "[Items]\r\n",
                 {{"T0", "a"}, {"t0", "b"}},
                 "[Items]\r\nT0=b\r\n"},
        EditCase{"HeaderWithoutCloseIsNoSection",
                 "[Items\r\nT0=a\r\n",
                 {{"T0", "b"}},
                 "[Items\r\nT0=a\r\n[Items]\r\nT0=b\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileTextFind, ReadsAsAKeyReadDoes) {
  const std::string bytes = "[Other]\r\nT0=no\r\n[ITEMS]\r\n t0 = \"quoted\" \r\nC0\r\nP0=x\r\n";
  std::string value;
  ASSERT_TRUE(FindProfileValue(bytes, "Items", "T0", &value));
  EXPECT_EQ(value, "quoted");
  ASSERT_TRUE(FindProfileValue(bytes, "Items", "C0", &value));
  EXPECT_EQ(value, "");
  ASSERT_TRUE(FindProfileValue(bytes + "F0=http://x/?a=b\r\n", "Items", "F0", &value));
  EXPECT_EQ(value, "http://x/?a=b");
  EXPECT_FALSE(FindProfileValue(bytes, "Items", "T1", &value));
  EXPECT_FALSE(FindProfileValue(bytes, "Nothing", "T0", &value));
  // One parse gives the same answers; a value empty or blank up to its line's end stays empty.
  const std::string more = bytes + "E0=\r\n\r\nB0=  \r\nW0= a \r\n";
  const ProfileSection section(more, "items");
  EXPECT_EQ(section.Value("T0"), "quoted");
  EXPECT_EQ(section.Value("c0"), "");
  EXPECT_EQ(section.Value("E0"), "");
  EXPECT_EQ(section.Value("B0"), "");
  EXPECT_EQ(section.Value("w0"), "a");
  EXPECT_FALSE(section.Value("T1"));
}

}  // namespace
