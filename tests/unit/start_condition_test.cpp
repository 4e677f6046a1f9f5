#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store_persistence.h"
#include "fakes/fake_platform.h"
#include "platform/app_error.h"

TEST(StartConditionStore, EarlierFilesKeepTheirBytesConditionsRoundTripAndFollowTheirRow) {
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence{registry, files, "M.ini"};
  AppSettings settings;
  ItemStore store;
  registry.Set("Window", "Count", "3");
  for (const std::string i : {"0", "1", "2"})
    for (const char* key : {"T", "C", "F", "W", "A", "S", "H", "D", "P"})
      files.files["M.ini"].Put("Items", key + i,
                               *key == 'S'   ? "0"
                               : *key == 'C' ? "1"
                               : *key == 'T' ? i
                                             : "x");
  persistence.Load(settings, store);
  persistence.Save(settings, store);
  EXPECT_EQ(files.replacements, 0);
  EXPECT_FALSE(store.Row(0).condition.Set());

  store.Row(1).condition = {ConditionKind::PathExists, "\\\\NAS\\ﾊﾞｯｸｱｯﾌﾟ", 90, AtLimit::Skip};
  store.Row(2).condition = {ConditionKind::PortOpen, "127.0.0.1:8080", 60, AtLimit::Start};
  persistence.Save(settings, store);
  std::string stored;
  for (const char* key : {"Need1", "NeedOf1", "NeedLimit1", "NeedEnd1", "Need2", "NeedOf2"})
    stored += files.files["M.ini"].Get("Items", key).value_or("-") + " ";
  EXPECT_EQ(stored, "2 \\\\NAS\\ﾊﾞｯｸｱｯﾌﾟ 90 1 3 127.0.0.1:8080 ");
  EXPECT_FALSE(files.files["M.ini"].Get("Items", "NeedLimit2") ||
               files.files["M.ini"].Get("Items", "Need0"));

  // Deleting the first row moves both conditions up a row, and the keys with them.
  store.Delete(0);
  store.count = 2;
  persistence.Save(settings, store);
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(0).condition,
            (StartCondition{ConditionKind::PathExists, "\\\\NAS\\ﾊﾞｯｸｱｯﾌﾟ", 90, AtLimit::Skip}));
  EXPECT_EQ(store.Row(1).condition,
            (StartCondition{ConditionKind::PortOpen, "127.0.0.1:8080", 60, AtLimit::Start}));

  // A target that would break the file is refused before anything is written.
  store.Row(1).condition.target = "127.0.0.1:80\r\nCount=0";
  EXPECT_THROW(persistence.Save(settings, store), AppError);
  EXPECT_EQ(files.files["M.ini"].Get("Items", "NeedOf1"), "127.0.0.1:8080");
}

TEST(StartConditionStore, HandEditedValuesFollowOneRuleAndTheMendedAreNamed) {
  struct Case {
    const char* key;
    const char* text;
    const char* read_as;  // nullptr: read as stored, nothing named
  };
  const Case cases[] = {
      {"Need0", "3", nullptr},    {"Need0", "4", "0"},
      {"Need0", "-1", "0"},       {"Need0", "x", "0"},
      {"NeedLimit0", "0", "1"},   {"NeedLimit0", "3601", "3600"},
      {"NeedLimit0", "1m", "60"}, {"NeedLimit0", "3600", nullptr},
      {"NeedEnd0", "2", "0"},     {"NeedEnd0", "1", nullptr},
  };
  for (const Case& c : cases) {
    FakeRegistry registry;
    FakeProfileFiles files;
    StorePersistence persistence{registry, files, "M.ini"};
    AppSettings settings;
    ItemStore store;
    registry.Set("Window", "Count", "1");
    files.files["M.ini"].Put("Items", "T0", "a");
    files.files["M.ini"].Put("Items", c.key, c.text);
    persistence.Load(settings, store);
    const StartCondition& condition = store.Row(0).condition;
    const std::string read = std::string(c.key) == "Need0" ? ConditionKindText(condition.kind)
                             : std::string(c.key) == "NeedEnd0"
                                 ? AtLimitText(condition.at_limit)
                                 : std::to_string(condition.limit_seconds);
    EXPECT_EQ(read, c.read_as ? c.read_as : c.text) << c.key << "=" << c.text;
    const std::vector<MisreadValue> named =
        c.read_as ? std::vector<MisreadValue>{{c.key, c.read_as}} : std::vector<MisreadValue>{};
    EXPECT_EQ(persistence.MisreadValues(), named) << c.key << "=" << c.text;
  }
}
