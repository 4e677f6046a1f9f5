#include "platform/icon_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// An icon file of one 16 x 16 image of 32 bits: header, directory entry, bitmap header, colour
// bits, mask bits.
std::string OneImageIcon() {
  std::string file(6 + 16 + 40 + 16 * 16 * 4 + 16 * 4, '\0');
  file[2] = 1;
  file[4] = 1;
  Put32(file, 6 + 8, 40 + 16 * 16 * 4 + 16 * 4);
  Put32(file, 6 + 12, 22);
  Put32(file, 22, 40);
  Put32(file, 22 + 4, 16);
  Put32(file, 22 + 8, 32);
  file[22 + 12] = 1;
  file[22 + 14] = 32;
  return file;
}

bool Sound(const std::string& file) {
  return IconFileIsSound(file.size(), [&](std::uint64_t offset, std::size_t length) {
    return offset < file.size() ? file.substr(offset, length) : std::string();
  });
}

TEST(IconDirectory, OnlyDirectoriesAndImagesWithinTheRealFileAreHandedOn) {
  const std::string good = OneImageIcon();
  std::string many = good, past_end = good, into_directory = good, wide = good, small = good,
              png = good, no_images = good, deep = good;
  many[4] = many[5] = '\xFF';  // 65,535 images claimed
  Put32(past_end, 6 + 12, static_cast<std::uint32_t>(good.size()));
  Put32(into_directory, 6 + 12, 10);
  Put32(wide, 22 + 4, 100000);
  Put32(small, 6 + 8, 39);
  png.replace(22, 8, "\x89PNG\r\n\x1A\n");
  no_images[4] = 0;
  deep[22 + 14] = 7;
  const struct {
    const char* name;
    std::string file;
    bool sound;
  } cases[] = {
      {"good", good, true},
      {"png image", png, true},
      {"truncated by one byte", good.substr(0, good.size() - 1), false},
      {"header only", good.substr(0, 6), false},
      {"65535 images", many, false},
      {"image past the end", past_end, false},
      {"image inside the directory", into_directory, false},
      {"image wider than its bytes", wide, false},
      {"image smaller than a header", small, false},
      {"no images", no_images, false},
      {"unknown colour depth", deep, false},
      {"program file without its header", "MZ" + std::string(100, '\0'), false},
      {"a text file", "not an icon at all", false},
      {"empty", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Sound(c.file), c.sound) << c.name;
}

}  // namespace
