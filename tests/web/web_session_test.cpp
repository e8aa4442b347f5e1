#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "app/keys.h"
#include "app/web/web_session.h"
#include "test_support.h"

// The session behind the web page: what the page reads after each key must be the whole
// change, since the page paints nothing else.
namespace vortila {
namespace {

class WebSessionTest : public ::testing::Test {
 protected:
  WebSessionTest() { folder.WithGameData(); }

  void Type(std::string_view command) {
    session.SetTextInput(command);
    session.PressKey(kEnterKey);
  }

  std::array<std::string, kScreenRows> Rows() const {
    std::array<std::string, kScreenRows> rows;
    for (int row = 0; row < kScreenRows; ++row) rows[row] = session.Row(row);
    return rows;
  }

  testing::TempFolder folder;
  WebSession session{folder.path()};
};

TEST_F(WebSessionTest, TheFirstPageAndEachContinuedOneReachThePage) {
  session.Start();
  EXPECT_GT(session.TakeScrolledRows(), 0);
  EXPECT_EQ(session.TakeScrolledRows(), 0);
  EXPECT_EQ(session.CommandBox(), kPagePrompt);
  EXPECT_EQ(session.Picture(), "001.pkd");
  bool titleShown = false;
  for (int row = 0; row < kScreenRows; ++row) titleShown |= session.Row(row) == "LA VORTILA";
  EXPECT_TRUE(titleShown);

  const std::string bottom = session.Row(kBottomRow);
  session.PressKey(kEnterKey);
  EXPECT_EQ(session.Picture(), "002.pkd");
  EXPECT_GT(session.TakeScrolledRows(), 0);
  EXPECT_NE(session.Row(kBottomRow), bottom);
}

TEST_F(WebSessionTest, ARowMovedUpKeepsItsTextAndOnlyNewRowsChange) {
  session.Start();
  while (session.CommandBox() == kPagePrompt) session.PressKey(kEnterKey);
  session.TakeScrolledRows();
  const auto before = Rows();
  Type("guarda");
  const int scrolled = session.TakeScrolledRows();
  ASSERT_GT(scrolled, 0);
  ASSERT_LT(scrolled, kScreenRows);
  for (int row = 0; row + scrolled < kScreenRows; ++row) {
    EXPECT_EQ(session.Row(row), before[row + scrolled]) << row;
  }
  // The echo: an empty line, then the command.
  EXPECT_EQ(session.Row(kScreenRows - scrolled), "");
  EXPECT_EQ(session.Row(kScreenRows - scrolled + 1), " > GUARDA");
}

TEST_F(WebSessionTest, UpAndDownBrowseTheCommandsAndOtherKeysStartOver) {
  session.Start();
  while (session.CommandBox() == kPagePrompt) session.PressKey(kEnterKey);
  Type("guarda");
  Type("inventario");
  session.PressKey(kUpKey);
  session.PressKey(kUpKey);
  EXPECT_EQ(session.CommandBox(), "guarda");
  session.PressKey(kDownKey);
  session.PressKey(kDownKey);
  EXPECT_EQ(session.CommandBox(), "inventario");
  session.PressKey(0);
  session.PressKey(kUpKey);
  EXPECT_EQ(session.CommandBox(), "inventario");
}

TEST_F(WebSessionTest, AGameThatHasEndedTakesNothingMore) {
  session.Start();
  while (session.CommandBox() == kPagePrompt) session.PressKey(kEnterKey);
  Type("togliti il casco");
  while (session.CommandBox() == kPagePrompt) session.PressKey(kEnterKey);
  Type("finire");
  ASSERT_TRUE(session.Ended());
  session.TakeScrolledRows();
  const auto rows = Rows();
  session.Undo();
  Type("guarda");
  EXPECT_EQ(session.TakeScrolledRows(), 0);
  EXPECT_EQ(Rows(), rows);
  EXPECT_TRUE(session.KeepInterrupted());
  EXPECT_FALSE(folder.Has("ripresa.sav"));
  EXPECT_FALSE(session.CanResume());
}

TEST_F(WebSessionTest, ARestartWithoutItsDataEndsTheGameWithTheReason) {
  session.Start();
  while (session.CommandBox() == kPagePrompt) session.PressKey(kEnterKey);
  std::filesystem::remove(folder.path() / "000.pkd");
  Type("ricomincia");
  EXPECT_TRUE(session.Ended());
  EXPECT_NE(session.Problem().find("000.pkd"), std::string::npos) << session.Problem();
}

}  // namespace
}  // namespace vortila
