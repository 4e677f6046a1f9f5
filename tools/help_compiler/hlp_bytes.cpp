#include "hlp_bytes.h"

#include <stdexcept>

namespace {

constexpr std::uint16_t kTreeMagic = 0x293B;

}  // namespace

void Put8(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
}
void Put16(std::string& out, unsigned value) {
  Put8(out, value);
  Put8(out, value >> 8);
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Set32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string InternalFile(const std::string& content) {
  std::string file;
  Put32(file, static_cast<std::uint32_t>(content.size() + 9));
  Put32(file, static_cast<std::uint32_t>(content.size()));
  Put8(file, 4);
  return file + content;
}

std::string OneLeafTree(const char* structure, bool directory,
                        const std::vector<std::string>& entries, std::uint16_t page_size) {
  std::string tree;
  Put16(tree, kTreeMagic);
  Put16(tree, directory ? 0x0402 : 0x0002);
  Put16(tree, page_size);
  std::string layout(structure);
  layout.resize(16, '\0');
  tree += layout;
  Put16(tree, 0);       // must be zero
  Put16(tree, 0);       // page splits
  Put16(tree, 0);       // root page
  Put16(tree, 0xFFFF);  // must be -1
  Put16(tree, 1);       // pages
  Put16(tree, 1);       // levels
  Put32(tree, static_cast<std::uint32_t>(entries.size()));
  std::string page;
  std::string body;
  for (const std::string& entry : entries) body += entry;
  if (body.size() + 8 > page_size)
    throw std::runtime_error(std::string("more entries than one page holds: ") + structure);
  Put16(page, static_cast<unsigned>(page_size - 8 - body.size()));  // free bytes
  Put16(page, static_cast<unsigned>(entries.size()));
  Put16(page, 0xFFFF);  // previous page
  Put16(page, 0xFFFF);  // next page
  page += body;
  page.resize(page_size, '\0');
  return tree + page;
}
