#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "items/store_persistence.h"

inline const std::string kIniPath = "C:\\Tools\\Morvelin\\Morvelin.ini";

// The settings and the item file behind fakes, as the load and the save meet them.
class StoreFixture : public ::testing::Test {
 protected:
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence{registry, files, kIniPath};
  AppSettings settings;
  ItemStore store;

  void PutItem(const std::string& key, const std::string& value) {
    files.files[kIniPath].Put("Items", key, value);
  }
  std::optional<std::string> Stored(const std::string& key) const {
    auto it = files.files.find(kIniPath);
    if (it == files.files.end()) return std::nullopt;
    return it->second.Get("Items", key);
  }
  void SetRows(const std::vector<LaunchItem>& rows) {
    store.Clear();
    for (const auto& row : rows) store.Append(row);
    store.count = store.Size();
  }
};
