#include "hlp_writer.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "hlp_bytes.h"

namespace {

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::uint16_t kSystemMagic = 0x036C;
constexpr std::uint16_t kVersionMinor = 21;  // 3.1
constexpr std::size_t kTopicBlock = 0x1000;
constexpr std::size_t kTopicBlockHeader = 12;
constexpr std::size_t kTopicBlockData = kTopicBlock - kTopicBlockHeader;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint8_t kTopicHeaderRecord = 0x02;
constexpr std::uint8_t kParagraphRecord = 0x20;
constexpr std::uint8_t kShiftJisCharset = 128;
constexpr std::uint8_t kJumpStart = 0xE3;  // a jump to a topic by its context hash
constexpr std::uint8_t kJumpEnd = 0x89;

void PutSystemRecord(std::string& system, unsigned type, const std::string& data) {
  Put16(system, type);
  Put16(system, static_cast<unsigned>(data.size()));
  system += data;
}

// The viewer's main window, so that its caption is the help's own title.
std::string MainWindowRecord(const std::string& caption) {
  std::string record;
  Put16(record, 0x0007);  // type, name and caption given
  const std::pair<const char*, std::size_t> fields[] = {
      {"primary", 10}, {"main", 9}, {caption.c_str(), 51}};
  for (const auto& [text, size] : fields) {
    std::string field(text);
    if (field.size() >= size) throw std::runtime_error("title too long for the caption");
    field.resize(size, '\0');
    record += field;
  }
  record.resize(90, '\0');  // position, size, state and colours: the viewer's own
  return record;
}

std::string SystemFile(const std::string& title) {
  std::string system;
  Put16(system, kSystemMagic);
  Put16(system, kVersionMinor);
  Put16(system, 1);  // major
  Put32(system, 0);  // generation date
  Put16(system, 0);  // flags: uncompressed, 4 KB topic blocks
  Put16(system, 1);  // title record
  Put16(system, static_cast<unsigned>(title.size() + 1));
  system += title;
  system += '\0';
  Put16(system, 11);  // character set record
  Put16(system, 1);
  Put8(system, kShiftJisCharset);
  PutSystemRecord(system, 4, std::string("BrowseButtons()") + '\0');  // << and >> buttons
  PutSystemRecord(system, 6, MainWindowRecord(title));
  return system;
}

// Face 0 at the given half-point sizes: font 0 for text, font 1 (bold) for headings.
std::string FontFile(const std::string& face) {
  constexpr unsigned kFaceLength = 32;
  std::string font;
  Put16(font, 1);  // face names
  Put16(font, 2);  // descriptors
  Put16(font, 8);  // face names' offset
  Put16(font, 8 + kFaceLength);
  std::string name = face;
  name.resize(kFaceLength - 1, '\0');
  font += name;
  font += '\0';
  const std::pair<unsigned, unsigned> styles[] = {{0, 20}, {1, 28}};  // flags, half points
  for (const auto& [flags, half_points] : styles) {
    Put8(font, flags);
    Put8(font, half_points);
    Put8(font, 3);  // swiss
    Put16(font, 0);
    Put8(font, 0), Put8(font, 0), Put8(font, 0);        // text colour
    Put8(font, 255), Put8(font, 255), Put8(font, 255);  // background
  }
  return font;
}

// A record of the topic file: its header, its first data (attributes) and its text.
struct TopicRecord {
  std::uint8_t type;
  std::string data1;
  std::string data2;
  std::uint32_t text_length;  // characters the record counts for
};

TopicRecord TopicHeader(std::uint32_t number, const std::string& title) {
  TopicRecord record{kTopicHeaderRecord, {}, title + std::string(1, '\0'), 0};
  Put32(record.data1, 0);      // block size, unused here
  Put32(record.data1, kNone);  // browse back
  Put32(record.data1, kNone);  // browse forward
  Put32(record.data1, number);
  Put32(record.data1, kNone);  // non-scrolling region
  Put32(record.data1, kNone);  // scrolling region
  Put32(record.data1, kNone);  // next topic
  record.text_length = static_cast<std::uint32_t>(title.size());
  return record;
}

// One paragraph in one font: the font change, the text with its jumps, the paragraph's end.
// The text is pieces between attribute commands, each command taking the piece before it.
TopicRecord Paragraph(const std::string& text, unsigned font,
                      const std::map<std::string, std::string>& titles) {
  TopicRecord record{kParagraphRecord, {}, {}, 0};
  std::string commands;
  record.data2 += '\0';  // the empty piece before the font change
  Put8(commands, 0x80);
  Put16(commands, font);
  const std::vector<std::string> pieces = SplitJumps(text);
  std::string pending = pieces[0];
  for (std::size_t i = 1; i < pieces.size(); i += 2) {
    record.data2 += pending + '\0';
    Put8(commands, kJumpStart);
    const std::string target = JumpTarget(pieces[i]);
    Put32(commands, static_cast<std::uint32_t>(ContextHash(target)));
    record.data2 += JumpText(pieces[i], titles.at(target)) + '\0';
    Put8(commands, kJumpEnd);
    pending = pieces[i + 1];
  }
  record.data2 += pending + '\0';
  Put8(commands, 0x82);  // end of paragraph
  record.data2 += '\0';
  Put8(commands, 0xFF);  // end of the attributes
  const unsigned length = static_cast<unsigned>(record.data2.size());
  if (length >= 0x4000) throw std::runtime_error("paragraph too long");
  Put16(record.data1, 0x8000 + 2 * length);  // text size, compressed long (even: two bytes)
  Put16(record.data1, 2 * length + 1);       // text length, compressed short (odd: two bytes)
  Put32(record.data1, 0);                    // column and paragraph set-up
  Put16(record.data1, 0);                    // no paragraph attributes
  record.data1 += commands;
  record.text_length = length;
  return record;
}

// Topic positions: block number times 0x4000, plus 12, plus the place in the block's data.
std::uint32_t TopicPosition(std::size_t block, std::size_t offset) {
  return static_cast<std::uint32_t>(block * 0x4000 + kTopicBlockHeader + offset);
}

struct TopicLayout {
  std::string bytes;
  std::vector<std::uint32_t> topic_offsets;  // per topic, as the context file gives them
  std::vector<std::size_t> header_data;      // per topic, where its header's data starts
};

TopicLayout LayOutTopics(const std::vector<std::vector<TopicRecord>>& topics) {
  struct Placed {
    std::size_t block, offset;
    const TopicRecord* record;
  };
  std::vector<Placed> placed;
  std::vector<std::size_t> topic_first;
  std::size_t block = 0, offset = 0;
  for (const auto& records : topics) {
    topic_first.push_back(placed.size());
    for (const TopicRecord& record : records) {
      const std::size_t size = 0x15 + record.data1.size() + record.data2.size();
      if (offset + size > kTopicBlockData) ++block, offset = 0;
      placed.push_back({block, offset, &record});
      offset += size;
    }
  }
  TopicLayout layout;
  std::string& bytes = layout.bytes;
  bytes.assign((block + 1) * kTopicBlock, '\0');
  std::map<std::size_t, std::size_t> characters_in_block;
  std::vector<std::uint32_t> record_offsets;
  std::uint32_t last_header = kNone;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const Placed& p = placed[i];
    const TopicRecord& r = *p.record;
    const std::size_t at = p.block * kTopicBlock + kTopicBlockHeader + p.offset;
    const std::uint32_t position = TopicPosition(p.block, p.offset);
    record_offsets.push_back(
        static_cast<std::uint32_t>(p.block * 0x8000 + characters_in_block[p.block]));
    characters_in_block[p.block] += r.type == kTopicHeaderRecord ? 0 : r.text_length;
    if (r.type == kTopicHeaderRecord) last_header = position;
    std::string record;
    const std::uint32_t data1_end = static_cast<std::uint32_t>(0x15 + r.data1.size());
    Put32(record, static_cast<std::uint32_t>(data1_end + r.data2.size()));
    Put32(record, static_cast<std::uint32_t>(r.data2.size() - (r.type == kTopicHeaderRecord)));
    Put32(record, i ? TopicPosition(placed[i - 1].block, placed[i - 1].offset) : kNone);
    Put32(record,
          i + 1 < placed.size() ? TopicPosition(placed[i + 1].block, placed[i + 1].offset) : kNone);
    Put32(record, data1_end);
    Put8(record, r.type);
    if (r.type == kTopicHeaderRecord) layout.header_data.push_back(at + record.size());
    record += r.data1 + r.data2;
    bytes.replace(at, record.size(), record);
    // The block's header: its last record, its first record and the last topic header.
    const std::size_t head = p.block * kTopicBlock;
    Set32(bytes, head, position);
    if (i == 0 || placed[i - 1].block != p.block) Set32(bytes, head + 4, position);
    Set32(bytes, head + 8, last_header);
  }
  for (std::size_t first : topic_first) layout.topic_offsets.push_back(record_offsets[first]);
  return layout;
}

}  // namespace

std::int32_t ContextHash(const std::string& context) {
  std::uint32_t hash = 0;
  for (unsigned char c : context) {
    unsigned x = 0;
    if (c >= 'A' && c <= 'Z') x = c - 'A' + 17;
    if (c >= 'a' && c <= 'z') x = c - 'a' + 17;
    if (c >= '1' && c <= '9') x = c - '0';
    if (c == '0') x = 10;
    if (c == '.') x = 12;
    if (c == '_') x = 13;
    if (x) hash = hash * 43 + x;
  }
  return static_cast<std::int32_t>(hash);
}

std::string WriteHelpFile(const HelpSource& source, const std::string& face_name) {
  std::map<std::string, std::string> titles;
  for (const HelpTopic& topic : source.topics) titles[topic.context] = topic.title;
  std::vector<std::vector<TopicRecord>> topics;
  for (std::size_t i = 0; i < source.topics.size(); ++i) {
    const HelpTopic& topic = source.topics[i];
    std::vector<TopicRecord> records{TopicHeader(static_cast<std::uint32_t>(i), topic.title),
                                     Paragraph(topic.title, 1, titles)};
    for (const std::string& text : topic.paragraphs) records.push_back(Paragraph(text, 0, titles));
    topics.push_back(std::move(records));
  }
  TopicLayout layout = LayOutTopics(topics);
  // The browse sequence: the topics in their order, each header naming its neighbours.
  for (std::size_t i = 0; i < layout.header_data.size(); ++i) {
    const std::size_t at = layout.header_data[i];
    Set32(layout.bytes, at + 4, i ? layout.topic_offsets[i - 1] : kNone);
    Set32(layout.bytes, at + 8,
          i + 1 < layout.topic_offsets.size() ? layout.topic_offsets[i + 1] : kNone);
  }

  std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;
  std::string context_map;
  std::vector<std::pair<std::string, std::uint32_t>> keywords;
  unsigned maps = 0;
  for (std::size_t i = 0; i < source.topics.size(); ++i) {
    const HelpTopic& topic = source.topics[i];
    contexts.emplace_back(ContextHash(topic.context), layout.topic_offsets[i]);
    if (topic.map_number >= 0) {
      Put32(context_map, static_cast<std::uint32_t>(topic.map_number));
      Put32(context_map, layout.topic_offsets[i]);
      ++maps;
    }
    for (const std::string& keyword : topic.keywords)
      keywords.emplace_back(keyword, layout.topic_offsets[i]);
  }
  std::sort(contexts.begin(), contexts.end());
  std::vector<std::string> context_entries;
  for (const auto& [hash, offset] : contexts) {
    std::string entry;
    Put32(entry, static_cast<std::uint32_t>(hash));
    Put32(entry, offset);
    context_entries.push_back(entry);
  }
  std::string map_file;
  Put16(map_file, maps);
  map_file += context_map;

  // The index: each keyword once, in byte order, leading to one topic through the data file.
  std::sort(keywords.begin(), keywords.end());
  std::vector<std::string> keyword_entries;
  std::string keyword_data;
  for (const auto& [keyword, offset] : keywords) {
    std::string entry = keyword + std::string(1, '\0');
    Put16(entry, 1);
    Put32(entry, static_cast<std::uint32_t>(keyword_data.size()));
    keyword_entries.push_back(entry);
    Put32(keyword_data, offset);
  }

  // Internal files by name, in the directory's order.
  const std::map<std::string, std::string> files = {
      {"|CONTEXT", InternalFile(OneLeafTree("L4", false, context_entries))},
      {"|CTXOMAP", InternalFile(map_file)},
      {"|FONT", InternalFile(FontFile(face_name))},
      {"|KWBTREE", InternalFile(OneLeafTree("z2l", false, keyword_entries, 0x800))},
      {"|KWDATA", InternalFile(keyword_data)},
      {"|SYSTEM", InternalFile(SystemFile(source.title))},
      {"|TOPIC", InternalFile(layout.bytes)},
  };
  std::string out(16, '\0');
  std::vector<std::string> directory;
  for (const auto& [name, file] : files) {
    std::string entry = name + std::string(1, '\0');
    Put32(entry, static_cast<std::uint32_t>(out.size()));
    directory.push_back(entry);
    out += file;
  }
  const std::uint32_t directory_at = static_cast<std::uint32_t>(out.size());
  out += InternalFile(OneLeafTree("z4", true, directory));
  Set32(out, 0, kFileMagic);
  Set32(out, 4, directory_at);
  Set32(out, 8, kNone);  // no free block
  Set32(out, 12, static_cast<std::uint32_t>(out.size()));
  return out;
}
