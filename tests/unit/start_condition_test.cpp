#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "items/store_persistence.h"
#include "platform/app_error.h"

TEST(StartConditionStore, OldFilesKeepTheirBytesConditionsFollowTheirRowAndHandEditsOneRule) {
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence{registry, files, "M.ini"};
  AppSettings settings;
  ItemStore store;
  FakeProfileFiles::File& file = files.files["M.ini"];
  registry.Set("Window", "Count", "3");
  for (const std::string i : {"0", "1", "2"})
    for (const char* key : {"T", "C", "F", "W", "A", "S", "H", "D", "P"})
      file.Put("Items", key + i, *key == 'S' ? "0" : *key == 'C' ? "1" : "x");
  persistence.Load(settings, store);
  persistence.Save(settings, store);
  EXPECT_EQ(files.replacements, 0);

  const StartCondition nas{ConditionKind::PathExists, "\\\\NAS\\ﾊﾞｯｸｱｯﾌﾟ", 90, AtLimit::Skip};
  const StartCondition port{ConditionKind::PortOpen, "127.0.0.1:8080", 60, AtLimit::Start};
  store.Row(1).condition = nas;
  store.Row(2).condition = port;
  store.Delete(0);  // both move up a row, and their keys with them
  store.count = 2;
  persistence.Save(settings, store);
  std::string stored;
  for (const char* key : {"Need0", "NeedOf0", "NeedLimit0", "NeedEnd0", "Need1", "NeedLimit1"})
    stored += file.Get("Items", key).value_or("-") + " ";
  EXPECT_EQ(stored, "2 \\\\NAS\\ﾊﾞｯｸｱｯﾌﾟ 90 1 3 - ");
  persistence.Load(settings, store);
  EXPECT_TRUE(store.Row(0).condition == nas && store.Row(1).condition == port);

  // A target that would break the file is refused before anything is written.
  store.Row(1).condition.target = "127.0.0.1:80\r\nCount=0";
  EXPECT_THROW(persistence.Save(settings, store), AppError);
  EXPECT_EQ(file.Get("Items", "NeedOf1"), "127.0.0.1:8080");

  // Decimal only; an unknown kind or end is the default, a limit is brought into its range.
  const std::vector<MisreadValue> edits = {{"Need0", "4"},      {"Need1", "x"},
                                           {"NeedLimit0", "0"}, {"NeedLimit1", "1m"},
                                           {"NeedEnd0", "2"},   {"NeedEnd1", "+1"}};
  for (const auto& [key, text] : edits) file.Put("Items", key, text);
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(0).condition, (StartCondition{ConditionKind::None, nas.target, 1}));
  EXPECT_EQ(store.Row(1).condition,
            (StartCondition{ConditionKind::None, port.target, 60, AtLimit::Skip}));
  EXPECT_EQ(persistence.MisreadValues(), (std::vector<MisreadValue>{{"Need0", "0"},
                                                                    {"NeedLimit0", "1"},
                                                                    {"NeedEnd0", "0"},
                                                                    {"Need1", "0"},
                                                                    {"NeedLimit1", "60"}}));
}
