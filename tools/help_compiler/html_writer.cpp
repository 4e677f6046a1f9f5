#include "html_writer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Shift-JIS trail bytes start at 0x40, so no byte of a double-byte character is escaped here.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Link(const std::string& page, const std::string& text) {
  return "<a href=\"" + page + "\">" + Escaped(text) + "</a>";
}

std::string Page(const std::string& title, const std::string& help_title,
                 const std::string& navigation, const std::string& body) {
  return "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n"
         "<meta charset=\"Shift_JIS\">\r\n"
         "<title>" +
         Escaped(title) + " - " + Escaped(help_title) +
         "</title>\r\n"
         "<style>body{font-family:sans-serif;max-width:44em;margin:1em auto;padding:0 1em;"
         "line-height:1.6}nav{border-bottom:1px solid #999;padding-bottom:.3em}"
         "nav a{margin-right:1em}</style>\r\n"
         "</head>\r\n<body>\r\n<nav>" +
         navigation + "</nav>\r\n<h1>" + Escaped(title) + "</h1>\r\n" + body +
         "</body>\r\n</html>\r\n";
}

}  // namespace

std::string PageName(const HelpSource& source, const std::string& context) {
  if (!source.topics.empty() && source.topics.front().context == context) return "index.htm";
  return context + ".htm";
}

std::map<std::string, std::string> WriteHelpPages(const HelpSource& source,
                                                  const HtmlLabels& labels) {
  std::map<std::string, std::string> titles;
  for (const HelpTopic& topic : source.topics) titles[topic.context] = topic.title;
  const std::string home = Link("index.htm", labels.contents) + Link("keywords.htm", labels.index);
  std::map<std::string, std::string> pages;
  std::vector<std::pair<std::string, std::string>> keywords;  // keyword, page
  for (std::size_t i = 0; i < source.topics.size(); ++i) {
    const HelpTopic& topic = source.topics[i];
    std::string navigation = home;
    if (i > 0) navigation += Link(PageName(source, source.topics[i - 1].context), labels.previous);
    if (i + 1 < source.topics.size())
      navigation += Link(PageName(source, source.topics[i + 1].context), labels.next);
    std::string body;
    for (const std::string& paragraph : topic.paragraphs) {
      const std::vector<std::string> pieces = SplitJumps(paragraph);
      body += "<p>" + Escaped(pieces[0]);
      for (std::size_t j = 1; j < pieces.size(); j += 2)
        // A page has no reason to shorten a jump's text: it shows the topic's own title.
        body += Link(PageName(source, JumpTarget(pieces[j])), titles.at(JumpTarget(pieces[j]))) +
                Escaped(pieces[j + 1]);
      body += "</p>\r\n";
    }
    pages[PageName(source, topic.context)] = Page(topic.title, source.title, navigation, body);
    for (const std::string& keyword : topic.keywords)
      keywords.emplace_back(keyword, PageName(source, topic.context));
  }
  std::sort(keywords.begin(), keywords.end());
  std::string index = "<ul>\r\n";
  for (const auto& [keyword, page] : keywords) index += "<li>" + Link(page, keyword) + "</li>\r\n";
  index += "</ul>\r\n";
  pages["keywords.htm"] = Page(labels.index, source.title, home, index);
  return pages;
}
