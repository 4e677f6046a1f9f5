// The help compiler's output, read back the way a help viewer finds its way through it.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "hlp_source.h"
#include "hlp_writer.h"

namespace {

std::uint32_t U16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
std::uint32_t U32(const std::string& b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

// The internal files by name, through the directory tree (one leaf page).
std::map<std::string, std::string> InternalFiles(const std::string& file) {
  std::map<std::string, std::string> files;
  const std::size_t directory = U32(file, 4);
  EXPECT_EQ(U16(file, directory + 9), 0x293Bu);
  EXPECT_EQ(U16(file, directory + 9 + 32), 1u);  // one level
  const std::size_t page = directory + 9 + 38;
  const unsigned entries = U16(file, page + 2);
  std::size_t at = page + 8;
  std::string previous;
  for (unsigned i = 0; i < entries; ++i) {
    const std::string name = file.c_str() + at;
    EXPECT_LT(previous, name);  // the tree is searched in byte order
    previous = name;
    const std::size_t offset = U32(file, at + name.size() + 1);
    const std::uint32_t reserved = U32(file, offset), used = U32(file, offset + 4);
    EXPECT_GE(reserved, used + 9) << name;
    EXPECT_LE(offset + 9 + used, file.size()) << name;
    files[name] = file.substr(offset + 9, used);
    at += name.size() + 5;
  }
  return files;
}

struct ReadTopic {
  std::string title;
  std::vector<std::string> paragraphs;
  std::uint32_t back = 0, forward = 0;  // the browse sequence's neighbours
};

// Walks the record chain of the topic file from its first record.
std::vector<ReadTopic> Topics(const std::string& topic_file) {
  std::vector<ReadTopic> topics;
  std::uint32_t position = 0x0C;
  int guard = 0;
  while (position != 0xFFFFFFFF && ++guard < 1000) {
    const std::size_t block = (position - 0x0C) >> 14, offset = (position - 0x0C) & 0x3FFF;
    const std::size_t at = block * 0x1000 + 0x0C + offset;
    EXPECT_LT(offset + 0x15, 0x1000u - 0x0C);
    const std::uint32_t size = U32(topic_file, at), text_size = U32(topic_file, at + 4);
    const std::uint32_t data1_end = U32(topic_file, at + 0x10);
    EXPECT_LE(offset + size, 0x1000u - 0x0C) << "a record crosses its block";
    const std::string text = topic_file.substr(at + data1_end, size - data1_end);
    const unsigned char type = topic_file[at + 0x14];
    if (type == 0x02) {
      EXPECT_EQ(data1_end, 0x15 + 7 * 4u);  // block size, back, forward, number, regions, next
      topics.push_back(
          {text.substr(0, text_size), {}, U32(topic_file, at + 0x19), U32(topic_file, at + 0x1D)});
    } else {
      EXPECT_EQ(type, 0x20);
      EXPECT_EQ(text_size, text.size());
      // The text's pieces between the attribute commands: "", the paragraph, "".
      EXPECT_EQ(text.front(), '\0');
      EXPECT_EQ(U16(topic_file, at + 0x17), 2 * text.size() + 1);
      if (!topics.empty()) topics.back().paragraphs.push_back(text.c_str() + 1);
      // Attributes: sizes, set-up, none, font, paragraph end, end.
      const std::string data1 = topic_file.substr(at + 0x15, data1_end - 0x15);
      EXPECT_EQ(static_cast<unsigned char>(data1.back()), 0xFF);
      EXPECT_EQ(static_cast<unsigned char>(data1[data1.size() - 2]), 0x82);
      EXPECT_EQ(static_cast<unsigned char>(data1[10]), 0x80);
    }
    position = U32(topic_file, at + 0x0C);
  }
  return topics;
}

HelpSource Source(int paragraphs) {
  HelpSource source;
  source.title = "Morvelin \x83\x77\x83\x8B\x83\x76";  // "ヘルプ"
  source.topics.push_back({"contents", "\x96\xDA\x8E\x9F", {"\x83\x5C\x95\x5C first"}, -1, {}});
  HelpTopic many{"main_window", "Main", {}, -1, {}};
  for (int i = 0; i < paragraphs; ++i)
    many.paragraphs.push_back("paragraph " + std::to_string(i) + std::string(100, 'x'));
  source.topics.push_back(many);
  return source;
}

TEST(HelpCompilerTest, WritesTheFilesAViewerLooksFor) {
  const std::string file = WriteHelpFile(Source(3), "Face");
  EXPECT_EQ(U32(file, 0), 0x00035F3Fu);
  EXPECT_EQ(U32(file, 12), file.size());
  const auto files = InternalFiles(file);
  ASSERT_EQ(files.size(), 7u);
  ASSERT_TRUE(files.count("|SYSTEM") && files.count("|TOPIC") && files.count("|FONT") &&
              files.count("|CONTEXT"));

  const std::string& system = files.at("|SYSTEM");
  EXPECT_EQ(U16(system, 0), 0x036Cu);
  EXPECT_EQ(U16(system, 2), 21u);  // 3.1
  EXPECT_EQ(U16(system, 4), 1u);
  EXPECT_EQ(U16(system, 10), 0u);  // uncompressed
  EXPECT_EQ(U16(system, 12), 1u);  // title record
  EXPECT_EQ(std::string(system.c_str() + 16), Source(0).title);
  const std::size_t charset = 16 + U16(system, 14);
  EXPECT_EQ(U16(system, charset), 11u);
  EXPECT_EQ(static_cast<unsigned char>(system[charset + 4]), 128);  // Shift-JIS
  EXPECT_NE(system.find("BrowseButtons()"), std::string::npos);
  EXPECT_NE(system.find(std::string("primary\0\0\0main\0\0\0\0\0", 19) + Source(0).title),
            std::string::npos);

  const std::string& font = files.at("|FONT");
  EXPECT_EQ(U16(font, 0), 1u);
  EXPECT_EQ(U16(font, 2), 2u);
  EXPECT_EQ(std::string(font.c_str() + U16(font, 4)), "Face");
  EXPECT_EQ(font.size(), U16(font, 6) + 2 * 11u);

  EXPECT_EQ(files.at("|TOPIC").size() % 0x1000, 0u);
  const auto topics = Topics(files.at("|TOPIC"));
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].title, "\x96\xDA\x8E\x9F");
  // The heading repeats the title; the 0x5C trail bytes pass through untouched.
  EXPECT_EQ(topics[0].paragraphs,
            (std::vector<std::string>{"\x96\xDA\x8E\x9F", "\x83\x5C\x95\x5C first"}));
  EXPECT_EQ(topics[1].title, "Main");
  EXPECT_EQ(topics[1].paragraphs.size(), 4u);
}

TEST(HelpCompilerTest, LongTopicsGoOnInLaterBlocksAndEveryContextIsFound) {
  const std::string file = WriteHelpFile(Source(120), "Face");
  const auto files = InternalFiles(file);
  EXPECT_GE(files.at("|TOPIC").size(), 3u * 0x1000);
  const auto topics = Topics(files.at("|TOPIC"));
  ASSERT_EQ(topics.size(), 2u);
  ASSERT_EQ(topics[1].paragraphs.size(), 121u);
  EXPECT_EQ(topics[1].paragraphs[120], "paragraph 119" + std::string(100, 'x'));

  const std::string& context = files.at("|CONTEXT");
  EXPECT_EQ(U16(context, 0), 0x293Bu);
  EXPECT_EQ(context.substr(6, 2), "L4");
  const std::size_t page = 38;
  ASSERT_EQ(U16(context, page + 2), 2u);
  std::map<std::int32_t, std::uint32_t> offsets;
  std::int32_t previous = INT32_MIN;
  for (std::size_t at = page + 8; at < page + 8 + 2 * 8; at += 8) {
    const auto hash = static_cast<std::int32_t>(U32(context, at));
    EXPECT_LT(previous, hash);  // searched in order
    previous = hash;
    offsets[hash] = U32(context, at + 4);
  }
  // Block 0 from its start; the second topic after the first one's 7 + 13 characters.
  EXPECT_EQ(offsets[ContextHash("contents")], 0u);
  EXPECT_EQ(offsets[ContextHash("main_window")], 20u);
}

TEST(HelpCompilerTest, EachBlockNamesItsOwnFirstRecordAndBrowsingGoesToTheNeighbours) {
  HelpSource source = Source(120);
  source.topics.push_back({"last", "Last", {"see [[contents]] then"}, 0, {"key"}});
  const auto files = InternalFiles(WriteHelpFile(source, "Face"));
  const std::string& topic_file = files.at("|TOPIC");
  const std::string jump = std::string("see ") + '\0' + "\x96\xDA\x8E\x9F" + '\0' + " then";
  EXPECT_NE(topic_file.find(jump + '\0'), std::string::npos);  // the jump shows its title
  std::string commands = "\xE3";  // the jump's start, its target, its end; the paragraph's end
  for (int i = 0; i < 4; ++i)
    commands += static_cast<char>(static_cast<std::uint32_t>(ContextHash("contents")) >> 8 * i);
  EXPECT_NE(topic_file.find(commands + "\x89\x82\xFF"), std::string::npos);
  for (std::size_t block = 0; block < topic_file.size() / 0x1000; ++block)
    EXPECT_EQ((U32(topic_file, block * 0x1000 + 4) - 0x0C) >> 14, block);
  std::map<std::uint32_t, std::uint32_t> offsets;  // by context hash, from the one leaf page
  const std::string& context = files.at("|CONTEXT");
  for (std::size_t i = 0, at = 46; i < U16(context, 40); ++i, at += 8)
    offsets[U32(context, at)] = U32(context, at + 4);
  std::vector<std::uint32_t> browse, expected;
  for (const ReadTopic& topic : Topics(topic_file))
    browse.push_back(topic.back), browse.push_back(topic.forward);
  for (const std::string context : {"contents", "main_window", "last"})
    expected.push_back(offsets[static_cast<std::uint32_t>(ContextHash(context))]);
  EXPECT_EQ(browse, (std::vector<std::uint32_t>{0xFFFFFFFF, expected[1], expected[0], expected[2],
                                                expected[1], 0xFFFFFFFF}));
  // Topic number 0 is a topic number too; the one keyword leads to its one topic.
  EXPECT_EQ(files.at("|CTXOMAP"), std::string("\1\0\0\0\0\0", 6) + files.at("|KWDATA"));
  EXPECT_EQ(U32(files.at("|KWDATA"), 0), expected[2]);
  EXPECT_NE(files.at("|KWBTREE").find(std::string("key\0\1\0\0\0\0\0", 10)), std::string::npos);
}

TEST(HelpCompilerTest, ContextHashesAsTheViewerComputesThem) {
  EXPECT_EQ(ContextHash(""), 0);
  EXPECT_EQ(ContextHash("a"), 17);
  EXPECT_EQ(ContextHash("A1"), 17 * 43 + 1);
  EXPECT_EQ(ContextHash("_.0"), (13 * 43 + 12) * 43 + 10);
}

TEST(HelpSourceTest, ReadsTitleTopicsAndParagraphs) {
  const HelpSource source = ParseHelpSource(
      "# comment\ntitle: T\r\n\ntopic: contents Contents here\nfirst\n  second  \n"
      "topic: other\n");
  EXPECT_EQ(source.title, "T");
  ASSERT_EQ(source.topics.size(), 2u);
  EXPECT_EQ(source.topics[0].context, "contents");
  EXPECT_EQ(source.topics[0].title, "Contents here");
  EXPECT_EQ(source.topics[0].paragraphs, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(source.topics[1].title, "other");
  EXPECT_THROW(ParseHelpSource("text before\n"), std::runtime_error);
  EXPECT_THROW(ParseHelpSource("topic:\n"), std::runtime_error);
  EXPECT_THROW(ParseHelpSource("topic: a\n[[b]]\n"), std::runtime_error);
  EXPECT_THROW(ParseHelpSource("topic: a\nkeywords: k\ntopic: b\nkeywords: x; k\n"),
               std::runtime_error);
}

}  // namespace
