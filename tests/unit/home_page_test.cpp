#include "tray/home_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_tray.h"

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("<no CR LF>" + bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

const std::vector<std::string> kHead = {
    "<HTML>",
    "<HEAD>",
    "<TITLE>Morvelin</TITLE>",
    "</HEAD>",
    "<BODY BGCOLOR=\"#C0E0FF\">",
    "</A>",
    "<UL>",
    "<BR>",
    "<P>Welcome <FONT size=\"+4\" color=\"#000099\" face=\"ＭＳ Ｐゴシック\">Morvelin</FONT></P>",
    "<BR><BR>",
};
const std::vector<std::string> kFoot = {
    "<HR>",
    "<BR>",
    "◆<A href=\"http://www.brel.example/morvelin/\">Morvelinホームページ</A><BR><BR>",
    "◆<A href=\"http://www.brel.example/\">作者ホームページ</A><BR><BR>",
    "<P>",
    "◆メールはこちらへ ",
    "<A href=\"mailto: morvelin@brel.example\">morvelin@brel.example</A>",
    "<BR><BR>",
    "<CENTER><HR WIDTH=400></CENTER>",
    "<CENTER><I>Presented By brel</CENTER>",
    "</P>",
    "<BR>",
    "</UL>",
    "</BODY>",
    "</HTML>",
};

std::vector<std::string> Page(const std::vector<std::string>& middle) {
  std::vector<std::string> all = kHead;
  all.insert(all.end(), middle.begin(), middle.end());
  all.insert(all.end(), kFoot.begin(), kFoot.end());
  return all;
}

LaunchItem Row(const std::string& title, const std::string& home) {
  LaunchItem row;
  row.title = title;
  row.home = home;
  return row;
}

TEST(HomePageDocument, WithoutAddressesTheFileHasTwentyFiveLines) {
  ItemStore store;
  store.Append(Row("A", ""));
  const std::string bytes = HomePageDocument("", store);
  EXPECT_EQ(Lines(bytes), Page({}));
  EXPECT_EQ(Lines(bytes).size(), 25u);
  EXPECT_EQ(bytes.substr(bytes.size() - 9), "</HTML>\r\n");
}

TEST(HomePageDocument, FavouriteTakesFiveLinesAndRowsWithAnAddressTwo) {
  ItemStore store;
  store.Append(Row("First", ""));
  store.Append(Row("T<&\"ools", "http://a.example/?x=1&y=\"2\""));
  store.Append(Row("-", "http://sep.example/"));  // a separator row with an address counts
  EXPECT_EQ(Lines(HomePageDocument(" ", store)),
            Page({
                "◆<A HREF=\"",
                " ",
                "\">",
                "一番お気に入りのホームページ",
                "</A></TB><BR><BR><BR>",
                "◆<A HREF=\"http://a.example/?x=1&y=\"2\"\">    T<&\"ools</A></TB><BR>",
                "<BR><BR>",
                "◆<A HREF=\"http://sep.example/\">    -</A></TB><BR>",
                "<BR><BR>",
            }));
}

TEST(HomePageDocumentWriter, WritesAnewIntoTheProgramFolder) {
  FakeFileWriter files;
  ItemStore store;
  store.Append(Row("A", "http://a.example/"));
  std::string favourite = "http://fav.example/";
  HomePageDocumentWriter writer(
      files, store, [&] { return favourite; }, "C:\\P\\");
  writer.Write();
  const std::string first = files.files.at("C:\\P\\Morvelin.html");
  writer.Write();
  EXPECT_EQ(files.files.at("C:\\P\\Morvelin.html"), first);
  EXPECT_EQ(first, HomePageDocument(favourite, store));
  favourite.clear();
  writer.Write();
  EXPECT_EQ(Lines(files.files.at("C:\\P\\Morvelin.html")).size(), 27u);

  files.failing = {"C:\\P\\Morvelin.html"};
  try {
    writer.Write();
    FAIL() << "a failed write was not reported";
  } catch (const AppError& error) {
    EXPECT_NE(std::string(error.what()).find("C:\\P\\Morvelin.html"), std::string::npos);
  }
}

}  // namespace
