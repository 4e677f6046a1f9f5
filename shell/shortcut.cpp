#include "shell/shortcut.h"

#include "platform/text_format.h"

std::string FolderPart(const std::string& path) {
  const std::size_t at = LastPathDelimiter(path);
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string FileNamePart(const std::string& path) {
  const std::size_t at = LastPathDelimiter(path);
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string ShortcutFileName(const std::string& folder, const std::string& name,
                             const std::string& target, const std::string& suffix) {
  return folder + "\\" + (name.empty() ? FileNamePart(target) : name) + suffix;
}

bool CreateShortcut(ShellLinks& links, SpecialFolders& folders, const std::string& target,
                    const std::string& name, int folder_csidl, const std::string& arguments,
                    const std::string& file_name_suffix) {
  const auto link = links.Create();
  const auto folder = folders.Path(folder_csidl);
  if (!folder) return false;
  link->SetPath(target);
  link->SetWorkingDirectory(FolderPart(target));
  if (!arguments.empty()) link->SetArguments(arguments);
  return link->Save(ShortcutFileName(*folder, name, target, file_name_suffix));
}
