#include "core/message_dialogs.h"

#include <gtest/gtest.h>

#include "core/texts.h"
#include "fakes/fake_platform.h"

TEST(AppErrorBox, AppendsPeriodOnlyAfterCharactersSortingAfterIt) {
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  dialogs.ShowAppError("'Left' の取得に失敗しました");
  dialogs.ShowAppError("already ends.");
  dialogs.ShowAppError("ends with a comma,");
  dialogs.ShowAppError("");
  dialogs.ShowAppError("読めません。読めません｡本当？");
  ASSERT_EQ(boxes.shown.size(), 5u);
  EXPECT_EQ(boxes.shown[4].text, "読めません。読めません｡本当？");
  EXPECT_EQ(boxes.shown[0].text, "'Left' の取得に失敗しました.");
  EXPECT_EQ(boxes.shown[0].caption, "Morvelin");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
  EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(boxes.shown[1].text, "already ends.");
  EXPECT_EQ(boxes.shown[2].text, "ends with a comma,");
  EXPECT_EQ(boxes.shown[3].text, "");
}

TEST(MessageKinds, EachKindHasItsCaptionAndIcon) {
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  dialogs.Show(MessageKind::Warning, BoxButtons::YesNo, "w");
  dialogs.Show(MessageKind::Error, BoxButtons::Ok, "e");
  dialogs.Show(MessageKind::Information, BoxButtons::Ok, "i");
  dialogs.Show(MessageKind::Confirmation, BoxButtons::YesNo, "c");
  dialogs.Notice("n");
  ASSERT_EQ(boxes.shown.size(), 5u);
  EXPECT_EQ(boxes.shown[0].caption, "警告");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Warning);
  EXPECT_EQ(boxes.shown[1].caption, "エラー");
  EXPECT_EQ(boxes.shown[2].caption, "情報");
  EXPECT_EQ(boxes.shown[2].icon, BoxIcon::Information);
  EXPECT_EQ(boxes.shown[3].caption, "確認");
  EXPECT_EQ(boxes.shown[4].caption, "Morvelin");
  EXPECT_EQ(boxes.shown[4].icon, BoxIcon::None);
}

TEST(MessageKinds, QuestionProceedsOnlyOnYes) {
  FakeMessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  boxes.answers = {BoxAnswer::No, BoxAnswer::Cancel, BoxAnswer::Yes};
  EXPECT_FALSE(dialogs.AskYesNo(MessageKind::Information, "q"));
  EXPECT_FALSE(dialogs.AskYesNo(MessageKind::Information, "q"));
  EXPECT_TRUE(dialogs.AskYesNo(MessageKind::Information, "q"));
}
