#pragma once

#include <QPlainTextEdit>
#include <QString>

#include "screen/screen.h"

namespace vortila {

// How many lines that have left the game's screen the pane keeps for scrolling back; the
// oldest go first.
inline constexpr int kScrollbackLines = 10'000;
// Textlines: the story pane. Its last 25 lines are the game's screen, rows 0..24; the lines
// above them are what scrolled off that screen during the session, for the player to scroll
// back through, select and copy. At the bottom the pane shows the 25 rows and nothing else,
// rows 0 and 1 fading. Every change the game makes brings the view back to the bottom.
class StoryPane final : public QPlainTextEdit {
 public:
  explicit StoryPane(QWidget* parent = nullptr);

  // The screen moves up one row: row 0 joins the lines kept for scrolling back, and row 24
  // keeps its text until it is set.
  void ScrollRows();
  void SetRow(int row, const QString& text);
  QString Row(int row) const;

  // One page back through the session (`pages` -1) or towards the bottom (+1).
  void ScrollPages(int pages);
  void ScrollToBottom();
  bool AtBottom() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The line that shows row `row`; rows below 0 are the lines that left the screen.
  QTextBlock RowBlock(int row) const;

  bool atBottom_ = true;
};

}  // namespace vortila
