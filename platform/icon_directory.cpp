#include "platform/icon_directory.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace {

// Far more images than any real file holds; bounds the work a hostile directory can cause.
constexpr std::uint32_t kMostImages = 1024;
constexpr std::uint32_t kMostResourceEntries = 1u << 16;
constexpr std::int64_t kMostPixels = 1024;  // width or height of one image
constexpr std::size_t kBitmapHeaderBytes = 40;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";
constexpr std::uint16_t kIconResource = 3;        // RT_ICON
constexpr std::uint16_t kIconGroupResource = 14;  // RT_GROUP_ICON

std::uint32_t U16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

std::int32_t I32(const std::string& bytes, std::size_t at) {
  return static_cast<std::int32_t>(U32(bytes, at));
}

// Exactly length bytes from offset, or nothing when the file ends first.
std::optional<std::string> ReadExactly(std::uint64_t size, const FileBytesReader& read,
                                       std::uint64_t offset, std::size_t length) {
  if (offset > size || length > size - offset) return std::nullopt;
  std::string bytes = read(offset, length);
  if (bytes.size() != length) return std::nullopt;
  return bytes;
}

// One image of bytes bytes at offset: a PNG, or a bitmap whose header, colour table, colour
// bits and mask bits all fit in those bytes.
bool ImageIsSound(std::uint64_t size, const FileBytesReader& read, std::uint64_t offset,
                  std::uint64_t bytes) {
  if (bytes < kBitmapHeaderBytes) return false;
  const auto header = ReadExactly(size, read, offset, kBitmapHeaderBytes);
  if (!header) return false;
  if (header->compare(0, 8, kPngSignature, 8) == 0) return true;
  const std::uint32_t header_size = U32(*header, 0);
  const std::int64_t width = I32(*header, 4);
  const std::int64_t height = I32(*header, 8);  // the colour bits and the mask, one above the other
  const std::uint32_t planes = U16(*header, 12);
  const std::uint32_t bit_count = U16(*header, 14);
  const std::uint32_t compression = U32(*header, 16);
  const std::uint32_t colours_used = U32(*header, 32);
  const bool known_depth = bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 ||
                           bit_count == 24 || bit_count == 32;
  if (header_size < kBitmapHeaderBytes || header_size > bytes || planes != 1 || !known_depth)
    return false;
  if (width <= 0 || width > kMostPixels || height <= 0 || height > 2 * kMostPixels) return false;
  constexpr std::uint32_t kPlainBits = 0, kBitFields = 3;
  if (compression != kPlainBits && compression != kBitFields) return false;
  if (colours_used > 256) return false;
  const std::uint64_t colours =
      colours_used != 0 ? colours_used : (bit_count <= 8 ? 1u << bit_count : 0u);
  const std::uint64_t rows = static_cast<std::uint64_t>(height / 2);
  const std::uint64_t colour_row = (static_cast<std::uint64_t>(width) * bit_count + 31) / 32 * 4;
  const std::uint64_t mask_row = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
  const std::uint64_t needed = header_size + colours * 4 + (compression == kBitFields ? 12 : 0) +
                               (colour_row + mask_row) * rows;
  return needed <= bytes;
}

bool IconFileDirectoryIsSound(std::uint64_t size, const FileBytesReader& read) {
  const auto header = ReadExactly(size, read, 0, 6);
  if (!header) return false;
  const std::uint32_t count = U16(*header, 4);
  if (count == 0 || count > kMostImages) return false;
  const std::uint64_t directory_end = 6 + 16ull * count;
  const auto entries = ReadExactly(size, read, 6, 16ull * count);
  if (!entries) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t bytes = U32(*entries, i * 16 + 8);
    const std::uint64_t offset = U32(*entries, i * 16 + 12);
    if (offset < directory_end || offset > size || bytes > size - offset) return false;
    if (!ImageIsSound(size, read, offset, bytes)) return false;
  }
  return true;
}

// The parts of a program file that locate its resources.
struct Section {
  std::uint64_t address = 0, virtual_size = 0, raw_size = 0, raw_offset = 0;
};

class ProgramResources {
 public:
  ProgramResources(std::uint64_t size, const FileBytesReader& read) : size_(size), read_(read) {}

  bool Sound() {
    const auto dos = ReadExactly(size_, read_, 0, 64);
    if (!dos) return false;
    const std::uint64_t pe = U32(*dos, 0x3C);
    const auto coff = ReadExactly(size_, read_, pe, 24);
    if (!coff || coff->compare(0, 4, "PE\0\0", 4) != 0) return false;
    const std::uint32_t section_count = U16(*coff, 6);
    const std::uint32_t optional_size = U16(*coff, 20);
    const std::uint64_t optional_at = pe + 24;
    const auto optional = ReadExactly(size_, read_, optional_at, optional_size);
    if (!optional || optional_size < 2) return false;
    const std::uint32_t magic = U16(*optional, 0);
    const std::size_t directories = magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0;
    if (directories == 0 || optional_size < directories + 3 * 8) return false;
    if (U32(*optional, directories - 4) < 3) return false;  // no resource directory entry
    resource_base_ = U32(*optional, directories + 2 * 8);
    if (resource_base_ == 0) return false;  // no resources: no icon to extract

    if (section_count == 0 || section_count > 96) return false;
    const auto table =
        ReadExactly(size_, read_, optional_at + optional_size, 40ull * section_count);
    if (!table) return false;
    for (std::uint32_t i = 0; i < section_count; ++i)
      sections_.push_back({U32(*table, i * 40 + 12), U32(*table, i * 40 + 8),
                           U32(*table, i * 40 + 16), U32(*table, i * 40 + 20)});

    if (!Walk(0, 0, 0)) return false;
    // Every image a group names must be there and whole.
    for (const std::uint32_t id : grouped_ids_)
      if (!icon_ids_.count(id)) return false;
    return !groups_.empty() || !icon_ids_.empty();
  }

 private:
  // Where a range at a relative virtual address lies in the file, when all of it lies in one
  // section's data and that data in the file.
  std::optional<std::uint64_t> FileOffset(std::uint64_t address, std::uint64_t length) const {
    for (const Section& s : sections_) {
      if (address < s.address || address - s.address >= std::max(s.virtual_size, s.raw_size))
        continue;
      const std::uint64_t into = address - s.address;
      if (into > s.raw_size || length > s.raw_size - into) return std::nullopt;
      const std::uint64_t offset = s.raw_offset + into;
      if (offset > size_ || length > size_ - offset) return std::nullopt;
      return offset;
    }
    return std::nullopt;
  }
  std::optional<std::string> AtAddress(std::uint64_t address, std::uint64_t length) const {
    const auto offset = FileOffset(address, length);
    if (!offset) return std::nullopt;
    return ReadExactly(size_, read_, *offset, static_cast<std::size_t>(length));
  }

  // One directory of the resource tree; level 0 is the kinds, 1 the names, 2 the languages.
  bool Walk(std::uint64_t offset, int level, std::uint32_t kind) {
    const auto head = AtAddress(resource_base_ + offset, 16);
    if (!head) return false;
    const std::uint32_t count = U16(*head, 12) + U16(*head, 14);
    entries_seen_ += count;
    if (entries_seen_ > kMostResourceEntries) return false;
    const auto entries = AtAddress(resource_base_ + offset + 16, 8ull * count);
    if (!entries) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t name = U32(*entries, i * 8);
      const std::uint32_t target = U32(*entries, i * 8 + 4);
      const bool is_directory = (target & 0x80000000u) != 0;
      const std::uint32_t at = target & 0x7FFFFFFFu;
      if (level == 0) {
        const bool named = (name & 0x80000000u) != 0;
        if (named || (name != kIconResource && name != kIconGroupResource)) continue;
        if (!is_directory || !Walk(at, 1, name)) return false;
      } else if (level == 1) {
        current_id_ = name;
        if (!is_directory || !Walk(at, 2, kind)) return false;
      } else if (is_directory || !Data(at, kind)) {
        return false;
      }
    }
    return true;
  }

  // One resource's data: an image, or a group listing images by id.
  bool Data(std::uint64_t offset, std::uint32_t kind) {
    const auto entry = AtAddress(resource_base_ + offset, 16);
    if (!entry) return false;
    const std::uint64_t address = U32(*entry, 0);
    const std::uint64_t length = U32(*entry, 4);
    if (kind == kIconResource) {
      const auto offset = FileOffset(address, length);
      if (!offset || !ImageIsSound(size_, read_, *offset, length)) return false;
      icon_ids_.insert(current_id_);
      return true;
    }
    if (length < 6 || length > 6 + 14ull * kMostImages) return false;
    const auto group = AtAddress(address, length);
    if (!group) return false;
    const std::uint32_t images = U16(*group, 4);
    if (images == 0 || 6 + 14ull * images > length) return false;
    for (std::uint32_t i = 0; i < images; ++i) grouped_ids_.insert(U16(*group, 6 + i * 14 + 12));
    groups_.push_back(current_id_);
    return true;
  }

  std::uint64_t size_;
  const FileBytesReader& read_;
  std::uint64_t resource_base_ = 0;
  std::vector<Section> sections_;
  std::uint32_t entries_seen_ = 0;
  std::uint32_t current_id_ = 0;
  std::set<std::uint32_t> icon_ids_;
  std::set<std::uint32_t> grouped_ids_;
  std::vector<std::uint32_t> groups_;
};

}  // namespace

IconFileKind IconFileKindOf(const std::string& first_bytes) {
  if (first_bytes.size() >= 2 && first_bytes.compare(0, 2, "MZ") == 0) return IconFileKind::Program;
  const bool icon_or_cursor = first_bytes.size() >= 4 && first_bytes[0] == 0 &&
                              first_bytes[1] == 0 && (first_bytes[2] == 1 || first_bytes[2] == 2) &&
                              first_bytes[3] == 0;
  return icon_or_cursor ? IconFileKind::IconFile : IconFileKind::Other;
}

bool IconFileIsSound(std::uint64_t file_size, const FileBytesReader& read) {
  const auto start = ReadExactly(file_size, read, 0, 4);
  if (!start) return false;
  switch (IconFileKindOf(*start)) {
    case IconFileKind::IconFile:
      return IconFileDirectoryIsSound(file_size, read);
    case IconFileKind::Program:
      return ProgramResources(file_size, read).Sound();
    case IconFileKind::Other:
      return false;
  }
  return false;
}
