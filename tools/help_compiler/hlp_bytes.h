#pragma once

// The help file format's building blocks: little-endian integers, internal files and B+ trees.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint16_t kPageSize = 0x400;

void Put8(std::string& out, unsigned value);
void Put16(std::string& out, unsigned value);
void Put32(std::string& out, std::uint32_t value);
// Overwrites four bytes at `at`.
void Set32(std::string& out, std::size_t at, std::uint32_t value);
// An internal file: its header (space reserved, space used, flags) and its content.
std::string InternalFile(const std::string& content);
// A B+ tree of one leaf page holding the given entries, already in key order; throws when they
// do not fit in one page.
std::string OneLeafTree(const char* structure, bool directory,
                        const std::vector<std::string>& entries,
                        std::uint16_t page_size = kPageSize);
