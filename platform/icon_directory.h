#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// Reads up to length bytes of a file from offset; fewer at its end, none beyond it.
using FileBytesReader = std::function<std::string(std::uint64_t offset, std::size_t length)>;

// The kinds of file the system's icon extraction opens on its own.
enum class IconFileKind { Other, IconFile, Program };

IconFileKind IconFileKindOf(const std::string& first_bytes);

// Whether the system's icon extraction may be handed a file of this size: an icon or cursor
// file (.ico, .cur) whose directory and every image it lists lie within the file, or a
// program file (PE) whose icon and icon-group resources all do. Counts, offsets and sizes are
// checked against the real size before anything is believed, so a truncated or malformed file
// is refused rather than read past its end. Only the header and the directory are read (of a
// program, its headers and its resource directory with the groups), never the images. Every
// other file is refused too: the system extracts no icon from it.
bool IconFileIsSound(std::uint64_t file_size, const FileBytesReader& read);
