#pragma once

#include <functional>
#include <string>

#include "items/item_store.h"
#include "platform/file_writer.h"
#include "tray/launcher_menu.h"

// The page's bytes: the favourite home page, one link per row with a home page, the maker's
// footer; CR LF after every line, nothing escaped.
std::string HomePageDocument(const std::string& favourite, const ItemStore& store);

// Writes the page into the program folder, replacing any earlier copy.
class HomePageDocumentWriter : public HomePageWriter {
 public:
  HomePageDocumentWriter(FileWriter& files, const ItemStore& store,
                         std::function<std::string()> favourite, std::string program_folder)
      : files_(files),
        store_(store),
        favourite_(std::move(favourite)),
        program_folder_(std::move(program_folder)) {}

  void Write() override;  // WriteHomePageDocument

 private:
  FileWriter& files_;
  const ItemStore& store_;
  std::function<std::string()> favourite_;
  std::string program_folder_;
};
