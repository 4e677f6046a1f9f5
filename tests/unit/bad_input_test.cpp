// Inputs that once slipped through: letters taken for digits, lead bytes cut short.
#include <gtest/gtest.h>

#include <string>

#include "core/launch_limits.h"
#include "fakes/fake_platform.h"
#include "items/integer_text.h"
#include "items/store_persistence.h"
#include "platform/text_format.h"

namespace {

TEST(BadInput, HexLettersAreNoDecimalDigits) {
  for (const char* text : {"a", "1a", "A", "1A", "f", "0a1", "$g", "0xg"})
    EXPECT_EQ(ParseInteger(text), std::nullopt) << text;
  EXPECT_EQ(ParseInteger("0xa"), 10);
  EXPECT_EQ(ParseInteger("$A"), 10);
}

TEST(BadInput, LeadByteRangeEndsExactly) {
  const struct {
    unsigned char byte;
    bool lead;
  } cases[] = {{0x80, false}, {0x81, true},  {0x9F, true}, {0xA0, false},
               {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false},
               {0x5C, false}, {0x7F, false}, {0xFA, true}};
  for (const auto& c : cases) EXPECT_EQ(IsShiftJisLeadByte(c.byte), c.lead) << int(c.byte);
}

TEST(BadInput, PathSplitSkipsTrailBackslashOfEveryLeadByte) {
  // 0xFA 0x5C is one character (a lead byte from the upper range); its 0x5C is no separator.
  const std::string upper = "C:\\dir\\a\xFA\x5C";
  EXPECT_EQ(LastPathDelimiter(upper), 6u);
  // The range's edges: 0x81, 0x9F, 0xE0, 0xFC lead; 0x80, 0xA0, 0xDF, 0xFD do not.
  for (unsigned char lead : {0x81, 0x9F, 0xE0, 0xFC}) {
    const std::string path = std::string("C:\\d\\") + char(lead) + "\\";
    EXPECT_EQ(LastPathDelimiter(path), 4u) << int(lead);
  }
  for (unsigned char single : {0x80, 0xA0, 0xDF, 0xFD}) {
    const std::string path = std::string("C:\\d\\") + char(single) + "\\";
    EXPECT_EQ(LastPathDelimiter(path), 6u) << int(single);
  }
}

TEST(BadInput, ShellTakesNoTextBeyondItsLimits) {
  const std::string path(259, 'p');
  EXPECT_TRUE(ShellCanTake(path, "", path));
  EXPECT_FALSE(ShellCanTake(path + "p", "", ""));
  EXPECT_FALSE(ShellCanTake("a.exe", "", path + "p"));
  EXPECT_FALSE(ShellCanTake(std::string(2000, 'x'), "", ""));
  EXPECT_TRUE(ShellCanTake("a.exe", std::string(32767 - 9, 'x'), ""));
  EXPECT_FALSE(ShellCanTake("a.exe", std::string(32767 - 8, 'x'), ""));
}

TEST(BadInput, WebAddressesHaveTheShellsAddressBoundNotThePathBound) {
  const std::string tail(894, 'q');  // 900 characters in all: the shell faults from about 990
  EXPECT_TRUE(ShellCanTake("https:" + tail, "", ""));
  EXPECT_FALSE(ShellCanTake("https:" + tail + "q", "", ""));
  EXPECT_FALSE(ShellCanTake("C:" + tail, "", "")) << "a drive, not a scheme";
}

// Found by fuzzing: a negative Count once made the save ask for an impossible amount of room.
TEST(BadInput, SaveWithANegativeCountWritesNoRows) {
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence(registry, files, "C:\\Tools\\Morvelin.ini");
  AppSettings settings;
  ItemStore store;
  store.count = -1;
  EXPECT_NO_THROW(persistence.Save(settings, store));
  EXPECT_EQ(files.replacements, 0);
  EXPECT_EQ(registry.Get("Window", "Count"), "-1");
}

}  // namespace
