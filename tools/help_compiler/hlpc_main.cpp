// hlpc SOURCE HELPFILE PAGEFOLDER: compiles the help text (UTF-8) into a help file and into
// web pages, both in Shift-JIS.

#include <iconv.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "hlp_source.h"
#include "hlp_writer.h"
#include "html_writer.h"

namespace {

std::string ToShiftJis(const std::string& utf8) {
  iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  std::string out(utf8.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* to = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(converter, &in, &in_left, &to, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1))
    throw std::runtime_error("text that Shift-JIS cannot hold, at byte " +
                             std::to_string(utf8.size() - in_left));
  out.resize(out.size() - out_left);
  return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: hlpc SOURCE HELPFILE PAGEFOLDER\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    const HelpSource source = ParseHelpSource(ToShiftJis(text.str()));
    WriteFile(argv[2], WriteHelpFile(source, ToShiftJis("ＭＳ Ｐゴシック")));
    const HtmlLabels labels{ToShiftJis("目次"), ToShiftJis("索引"), ToShiftJis("前へ"),
                            ToShiftJis("次へ")};
    const std::string folder = argv[3];
    mkdir(folder.c_str(), 0777);
    for (const auto& [name, bytes] : WriteHelpPages(source, labels))
      WriteFile(folder + "/" + name, bytes);
  } catch (const std::exception& error) {
    std::cerr << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}
