#pragma once

#include <cstdint>
#include <string>

#include "hlp_source.h"

// The bytes of an uncompressed help file of format version 3.1 holding the topics: the
// internal files |SYSTEM (title, Shift-JIS character set), |FONT (a text face and a heading
// face), |TOPIC (a topic header and one paragraph per text, in blocks of 4 KB) and |CONTEXT
// (each topic's context name by its hash), found through the internal directory.
std::string WriteHelpFile(const HelpSource& source, const std::string& face_name);

// The hash by which a context name is looked up.
std::int32_t ContextHash(const std::string& context);
