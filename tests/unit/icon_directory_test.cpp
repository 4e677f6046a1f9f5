#include "platform/icon_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A little-endian value of width bytes written at `at`; width 0 ends the file there.
struct Patch {
  std::size_t at;
  std::uint32_t value;
  int width;
};

std::string Patched(std::string file, const std::vector<Patch>& patches) {
  for (const auto& [at, value, width] : patches) {
    if (width == 0) file.resize(at);
    for (int i = 0; i < width; ++i) file[at + i] = static_cast<char>(value >> 8 * i);
  }
  return file;
}

TEST(IconFile, EveryImageAndResourceMustLieWholeInTheFileAndPastTheDirectory) {
  // One 16x16 image of 8 bits at 22: its header, 256 colours, the colour rows and the mask rows.
  const std::vector<Patch> image = {{2, 1, 2},     {4, 1, 2},   {10, 1, 2},  {12, 8, 2},
                                    {14, 1384, 4}, {18, 22, 4}, {22, 40, 4}, {26, 16, 4},
                                    {30, 32, 4},   {34, 1, 2},  {36, 8, 2}};
  const std::string icon = Patched(std::string(1406, '\0'), image);
  // One image (file 692, size at 644) and its group (the id it names at 690).
  std::ifstream in(MORVELIN_CORPUS "/icon_directory/program.exe", std::ios::binary);
  const std::string program{std::istreambuf_iterator<char>(in), {}};
  const std::uint32_t kPng1 = 0x474E5089, kPng2 = 0x0A1A0A0D;  // "\x89PNG\r\n\x1A\n"
  const std::tuple<const std::string&, std::vector<Patch>, bool> cases[] = {
      {icon, {}, true},
      {icon, {{4, 0, 2}}, false},                              // no image at all
      {icon, {{14, 1384 - 1024, 4}}, false},                   // the palette left out
      {icon, {{14, 1384 - 1024 + 64, 4}, {54, 16, 4}}, true},  // 16 colours used
      {icon, {{6, kPng1, 4}, {10, kPng2, 4}, {14, 40, 4}, {18, 6, 4}}, false},  // in the directory
      {icon, {{14, 40, 4}, {18, 1366, 4}, {1366, kPng1, 4}, {1370, kPng2, 4}}, true},  // at the end
      {icon, {{1405, 0, 0}}, false},
      {icon, {{14, 1383, 4}}, false},
      {icon, {{38, 3, 4}}, false},  // bit fields, without their 12 bytes
      {icon, {{1420, 0, 0}, {14, 1396, 4}, {38, 3, 4}}, true},
      {icon, {{38, 1, 4}}, false},
      {icon, {{22, 39, 4}}, false},
      {icon, {{34, 2, 2}}, false},
      {icon, {{36, 7, 2}}, false},
      {icon, {{26, 0, 4}}, false},
      {icon, {{54, 257, 4}}, false},
      {icon, {{3, 0, 0}}, false},
      {program, {}, true},
      {program, {{65, 0, 1}}, false},  // not "PE\0\0"
      {program, {{180, 2, 4}}, false},
      {program, {{180, 3, 4}}, true},                // no resource directory
      {program, {{200, 0, 4}}, false},               // no resources
      {program, {{70, 0, 2}}, false},                // no sections
      {program, {{690, 2, 2}}, false},               // the group names an image that is not there
      {program, {{644, 1127, 4}}, false},            // the image cut short
      {program, {{640, 9000, 4}}, false},            // the image outside the section
      {program, {{528, 0x80000003, 4}}, false},      // named, so not an icon
      {program, {{528, 5, 4}, {536, 6, 4}}, false},  // other resources only
      {program, {{532, 0x20, 4}}, false},
      // A group of the most images it may list, and one byte more, in a section grown to hold it.
      {program, {{15015, 0, 0}, {320, 14503, 4}, {328, 14503, 4}, {660, 14342, 4}}, true},
      {program, {{15015, 0, 0}, {320, 14503, 4}, {328, 14503, 4}, {660, 14343, 4}}, false},
  };
  ASSERT_EQ(program.size(), 1820u);
  for (size_t c = 0; c < std::size(cases); ++c) {
    const auto& [base, patches, sound] = cases[c];
    const std::string file = Patched(base, patches);
    EXPECT_EQ(IconFileIsSound(file.size(),
                              [&](std::uint64_t at, std::size_t n) { return file.substr(at, n); }),
              sound)
        << "case " << c;
  }
}

}  // namespace
