#include "hlp_source.h"

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

std::string Trimmed(const std::string& line) {
  std::size_t begin = 0, end = line.size();
  while (begin < end && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
  while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t' || line[end - 1] == '\r'))
    --end;
  return line.substr(begin, end - begin);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::runtime_error LineError(int number, const std::string& what) {
  return std::runtime_error("line " + std::to_string(number) + ": " + what);
}

}  // namespace

std::vector<std::string> SplitJumps(const std::string& paragraph) {
  std::vector<std::string> pieces;
  std::size_t at = 0;
  for (;;) {
    const std::size_t open = paragraph.find("[[", at);
    const std::size_t close = open == std::string::npos ? open : paragraph.find("]]", open);
    if (close == std::string::npos) {
      pieces.push_back(paragraph.substr(at));
      return pieces;
    }
    pieces.push_back(paragraph.substr(at, open - at));
    pieces.push_back(paragraph.substr(open + 2, close - open - 2));
    at = close + 2;
  }
}

std::string JumpTarget(const std::string& jump) {
  return jump.substr(0, jump.find('|'));
}

std::string JumpText(const std::string& jump, const std::string& target_title) {
  const std::size_t bar = jump.find('|');
  return bar == std::string::npos ? target_title : jump.substr(bar + 1);
}

HelpSource ParseHelpSource(const std::string& text) {
  HelpSource source;
  std::istringstream lines(text);
  std::string raw;
  int number = 0;
  std::set<std::string> contexts;
  std::set<int> maps;
  std::map<std::string, std::string> keyword_topics;
  std::vector<std::pair<int, std::string>> jumps;  // line, target
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    if (StartsWith(line, "title:")) {
      source.title = Trimmed(line.substr(6));
    } else if (StartsWith(line, "topic:")) {
      const std::string rest = Trimmed(line.substr(6));
      const std::size_t blank = rest.find(' ');
      HelpTopic topic;
      topic.context = rest.substr(0, blank);
      topic.title = blank == std::string::npos ? topic.context : Trimmed(rest.substr(blank));
      if (topic.context.empty()) throw LineError(number, "topic without a name");
      if (!contexts.insert(topic.context).second)
        throw LineError(number, "topic " + topic.context + " given twice");
      source.topics.push_back(topic);
    } else if (source.topics.empty()) {
      throw LineError(number, "text before any topic");
    } else if (StartsWith(line, "map:")) {
      const int map = std::stoi(line.substr(4));
      if (map < 0 || !maps.insert(map).second) throw LineError(number, "map number used twice");
      source.topics.back().map_number = map;
    } else if (StartsWith(line, "keywords:")) {
      std::istringstream list(line.substr(9));
      std::string keyword;
      while (std::getline(list, keyword, ';')) {
        keyword = Trimmed(keyword);
        if (keyword.empty()) continue;
        const auto [it, added] = keyword_topics.emplace(keyword, source.topics.back().context);
        if (!added && it->second != source.topics.back().context)
          throw LineError(number, "keyword given to two topics: " + keyword);
        if (added) source.topics.back().keywords.push_back(keyword);
      }
    } else {
      const std::vector<std::string> pieces = SplitJumps(line);
      for (std::size_t i = 1; i < pieces.size(); i += 2)
        jumps.emplace_back(number, JumpTarget(pieces[i]));
      source.topics.back().paragraphs.push_back(line);
    }
  }
  for (const auto& [line, target] : jumps)
    if (!contexts.count(target)) throw LineError(line, "jump to no topic: " + target);
  return source;
}
