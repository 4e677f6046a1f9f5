#include "tray/home_page.h"

#include "core/maker_addresses.h"
#include "tray/tray_texts.h"

namespace {

std::string ItemLinkLine(const LaunchItem& row) {
  if (row.home.empty()) return {};
  return "◆<A HREF=\"" + row.home + "\">    " + row.title + "</A></TB><BR>";
}

}  // namespace

std::string HomePageDocument(const std::string& favourite, const ItemStore& store) {
  std::string page;
  const auto line = [&page](const std::string& text) { page += text + "\r\n"; };
  line("<HTML>");
  line("<HEAD>");
  line("<TITLE>Morvelin</TITLE>");
  line("</HEAD>");
  line("<BODY BGCOLOR=\"#C0E0FF\">");
  line("</A>");
  line("<UL>");
  line("<BR>");
  line(
      "<P>Welcome <FONT size=\"+4\" color=\"#000099\" face=\"ＭＳ "
      "Ｐゴシック\">Morvelin</FONT></P>");
  line("<BR><BR>");
  if (!favourite.empty()) {
    line("◆<A HREF=\"");
    line(favourite);
    line("\">");
    line("一番お気に入りのホームページ");
    line("</A></TB><BR><BR><BR>");
  }
  for (const LaunchItem& row : store.Rows()) {
    const std::string link = ItemLinkLine(row);
    if (link.empty()) continue;
    line(link);
    line("<BR><BR>");
  }
  line("<HR>");
  line("<BR>");
  line(std::string("◆<A href=\"") + maker::kProductPage + "\">Morvelinホームページ</A><BR><BR>");
  line(std::string("◆<A href=\"") + maker::kHomePage + "\">作者ホームページ</A><BR><BR>");
  line("<P>");
  line("◆メールはこちらへ ");
  line(std::string("<A href=\"mailto: ") + maker::kMailAddress + "\">" + maker::kMailAddress +
       "</A>");
  line("<BR><BR>");
  line("<CENTER><HR WIDTH=400></CENTER>");
  line("<CENTER><I>Presented By brel</CENTER>");
  line("</P>");
  line("<BR>");
  line("</UL>");
  line("</BODY>");
  line("</HTML>");
  return page;
}

void HomePageDocumentWriter::Write() {
  const std::string favourite = favourite_ ? favourite_() : std::string();
  files_.WriteNew(program_folder_ + tray_texts::kHomePageFile, HomePageDocument(favourite, store_));
}
