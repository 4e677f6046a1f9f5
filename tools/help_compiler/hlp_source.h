#pragma once

#include <string>
#include <vector>

// A help text as the compiler reads it: topics, each with a context name, a title and
// paragraphs. Texts are bytes in the help file's code page.
struct HelpTopic {
  std::string context;  // letters, digits, "_" and "."
  std::string title;
  // A paragraph may hold jumps written "[[CONTEXT]]", showing the target topic's title, or
  // "[[CONTEXT|TEXT]]", showing TEXT.
  std::vector<std::string> paragraphs;
  int map_number = -1;                // the number a program asks for; -1: none
  std::vector<std::string> keywords;  // the index's entries that lead here
};

struct HelpSource {
  std::string title;  // the help window's caption
  std::vector<HelpTopic> topics;
};

// A paragraph cut at its jumps: plain text, then a jump, text, jump... (odd pieces are jumps
// as written between the brackets).
std::vector<std::string> SplitJumps(const std::string& paragraph);
// A jump's target topic, and the text it shows given the topics' titles by context.
std::string JumpTarget(const std::string& jump);
std::string JumpText(const std::string& jump, const std::string& target_title);

// The source format, one statement a line:
//   "# ..."                  a comment
//   "title: TEXT"            the help file's title
//   "topic: CONTEXT TITLE"   starts a topic; the first one is the contents, and the topics'
//                            order is the browse sequence
//   "map: NUMBER"            the current topic's number for a program's context call
//   "keywords: K1; K2"       index entries of the current topic
//   any other non-empty line a paragraph of the current topic
// Throws std::runtime_error naming the line for a paragraph before any topic, a topic without
// a context name, a context or map number used twice, a keyword given to two topics (a
// keyword leads to one topic) and a jump to a topic that does not exist.
HelpSource ParseHelpSource(const std::string& text);
