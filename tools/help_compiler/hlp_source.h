#pragma once

#include <string>
#include <vector>

// A help text as the compiler reads it: topics, each with a context name, a title and
// paragraphs. Texts are bytes in the help file's code page.
struct HelpTopic {
  std::string context;  // letters, digits, "_" and "."
  std::string title;
  std::vector<std::string> paragraphs;
};

struct HelpSource {
  std::string title;  // the help window's caption
  std::vector<HelpTopic> topics;
};

// The source format, one statement a line:
//   "# ..."                  a comment
//   "title: TEXT"            the help file's title
//   "topic: CONTEXT TITLE"   starts a topic; the first one is the contents
//   any other non-empty line a paragraph of the current topic
// Throws std::runtime_error naming the line for a paragraph before any topic or a topic
// without a context name.
HelpSource ParseHelpSource(const std::string& text);
