#include "hlp_source.h"

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

}  // namespace

HelpSource ParseHelpSource(const std::string& text) {
  HelpSource source;
  std::istringstream lines(text);
  std::string raw;
  int number = 0;
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
      if (topic.context.empty())
        throw std::runtime_error("line " + std::to_string(number) + ": topic without a name");
      source.topics.push_back(topic);
    } else {
      if (source.topics.empty())
        throw std::runtime_error("line " + std::to_string(number) + ": text before any topic");
      source.topics.back().paragraphs.push_back(line);
    }
  }
  return source;
}
