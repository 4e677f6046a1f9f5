#include "takeover/uninstall.h"

#include "core/texts.h"
#include "platform/text_format.h"
#include "shell/shell_texts.h"
#include "shell/shortcut.h"
#include "takeover/take_over.h"
#include "takeover/takeover_texts.h"

namespace t = takeover_texts;

namespace {

// Keeps what a step would have shown, for one message at the end.
class RecordedBoxes : public MessageBoxes {
 public:
  std::vector<std::string> texts;
  BoxAnswer Show(const std::string&, BoxIcon, BoxButtons, const std::string& text) override {
    texts.push_back(text);
    return BoxAnswer::No;
  }
};

constexpr char kUserKey[] = "HKEY_CURRENT_USER";

}  // namespace

bool AsksUninstall(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  const std::string& first = arguments.front();
  return first.size() == 10 && HasAsciiWordAt(first, 0, "/uninstall");
}

std::vector<std::string> Uninstall::GiveEverythingBack() {
  RecordedBoxes boxes;
  MessageDialogs recorded(boxes);
  ItemStore unused;  // the list goes with the program's folder
  const EntryLocations locations =
      LocateEntries(services_.folders, FolderPart(program_file_), program_file_);
  Takeover takeover(services_.sources, recorded, TakeoverList{unused, [] { return true; }, [] {}},
                    locations.kept_folder);
  const std::vector<TakeoverEntry> entries = ListKeptEntries(services_.sources, locations);
  // What is known to be unable to go back stops the uninstall before anything changes: the
  // others, given back while their rows stay in the list, would start twice.
  std::vector<std::string> kept;
  for (const TakeoverEntry& entry : entries)
    if (entry.flaw != EntryFlaw::None)
      kept.push_back(FormatText(t::kGiveBackFailed, entry.name) + "\r\n" + MarkText(entry));
  if (!kept.empty()) return kept;
  for (const TakeoverEntry& entry : entries) {
    boxes.texts.clear();
    if (takeover.GiveBack(entry, RowAfterGiveBack::Leave)) continue;
    kept.push_back(boxes.texts.empty() ? entry.name : boxes.texts.back());
  }
  return kept;
}

std::string Uninstall::LeftShortcut(int folder_csidl, const std::string& suffix) {
  const auto folder = services_.folders.Path(folder_csidl);
  if (!folder) return {};
  const std::string link = ShortcutFileName(*folder, shell_texts::kItemName, program_file_, suffix);
  if (!services_.links.LinksTo(link, program_file_) || services_.links.Remove(link)) return {};
  return link + "\r\n";
}

bool Uninstall::Run() {
  MessageDialogs& dialogs = services_.dialogs;
  if (!dialogs.AskYesNoDefaultNo(MessageKind::Confirmation, t::kUninstallQuestion)) return false;
  const std::vector<std::string> kept = GiveEverythingBack();
  if (!kept.empty()) {
    std::string names;
    for (const std::string& each : kept) names += each + "\r\n";
    dialogs.Show(MessageKind::Warning, BoxButtons::Ok,
                 t::kUninstallStopped + names + "\r\n" + t::kUninstallStoppedHint);
    return false;
  }
  std::string left = LeftShortcut(csidl::kStartup, shell_texts::kStartupEntrySuffix) +
                     LeftShortcut(csidl::kDesktopDirectory, shell_texts::kShortcutSuffix);
  // The path's leading "\" is the registry's way of saying "under this root".
  const std::string key = std::string(texts::kRegistryKeyPath).substr(1);
  if (!services_.registry_tree.DeleteCurrentUserTree(key))
    left += std::string(kUserKey) + "\\" + key + "\r\n";
  std::string text = FormatText(t::kUninstalled, FolderPart(program_file_));
  if (!left.empty()) text += std::string("\r\n\r\n") + t::kUninstallLeftovers + left;
  dialogs.Show(MessageKind::Information, BoxButtons::Ok, text);
  return true;
}
