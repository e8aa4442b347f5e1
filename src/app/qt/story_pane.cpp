#include "app/qt/story_pane.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QWheelEvent>
#include <array>
#include <cstdlib>

namespace vortila {

namespace {

// How much of the background veils rows 0 and 1. Text veiled at 0.42 keeps a contrast of
// more than 5:1 in both looks, and at 0.28 more than 7:1.
constexpr std::array<double, 2> kFadingVeils = {0.42, 0.28};

// A row is one line of the screen: a line break the player typed into a command, which the
// echo shows, must not start a row of its own.
QString OneLine(QString text) {
  for (QChar& character : text) {
    if (character == '\n' || character == '\r' || character == QChar::LineSeparator ||
        character == QChar::ParagraphSeparator) {
      character = ' ';
    }
  }
  return text;
}

}  // namespace

StoryPane::StoryPane(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("Textlines");
  setAccessibleName("Storia");
  setAccessibleDescription("Il racconto della partita: le ultime 25 righe sono lo schermo");
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The keys belong to the command box, wherever the player clicks.
  setFocusPolicy(Qt::NoFocus);
  // The game's edits are not the player's to undo, and an undo history would grow with every
  // line of the session.
  setUndoRedoEnabled(false);
  setMaximumBlockCount(kScrollbackLines + kScreenRows);
  // The game wraps its lines at 64 characters, well within the pane; a word too long for the
  // pane, or a zoomed-in text, goes on in the next line rather than past the edge.
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Always there, so that the text does not move when the first line leaves the screen, and
  // so that the player sees there is more to scroll back to.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setPlainText(QString(kScreenRows - 1, '\n'));
  // A view at the bottom stays there as the window or the text changes size.
  QScrollBar* scrolling = verticalScrollBar();
  connect(scrolling, &QScrollBar::valueChanged, this,
          [this, scrolling](int value) { atBottom_ = value == scrolling->maximum(); });
  connect(scrolling, &QScrollBar::rangeChanged, this, [this, scrolling](int, int maximum) {
    if (atBottom_) scrolling->setValue(maximum);
  });
}

void StoryPane::ScrollRows() {
  const QString bottom = Row(kBottomRow);
  QTextCursor end(document()->lastBlock());
  end.movePosition(QTextCursor::EndOfBlock);
  end.insertBlock();
  end.insertText(bottom);
  ScrollToBottom();
}

void StoryPane::SetRow(int row, const QString& text) {
  QTextCursor line(RowBlock(row));
  line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  line.insertText(OneLine(text));
  ScrollToBottom();
}

QString StoryPane::Row(int row) const { return RowBlock(row).text(); }

void StoryPane::ScrollPages(int pages) {
  const auto step = pages < 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd;
  for (int page = 0; page < std::abs(pages); ++page) verticalScrollBar()->triggerAction(step);
}

void StoryPane::ScrollToBottom() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }

bool StoryPane::AtBottom() const {
  return verticalScrollBar()->value() == verticalScrollBar()->maximum();
}

// At the bottom the pane is the game's screen: the lines above its rows, which fill the
// room the rows leave in a tall pane, are covered with the background until the player
// scrolls back. Rows 0 and 1 fade by a veil of the background's colour laid over them, so
// that they fade alike in every look and the lines keep no colour of their own as they move
// up.
void StoryPane::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  QColor veil = palette().color(QPalette::Base);
  const QRectF oldest = blockBoundingGeometry(RowBlock(0)).translated(contentOffset());
  if (AtBottom() && oldest.top() > 0) {
    painter.fillRect(QRectF(0, 0, viewport()->width(), oldest.top()), veil);
  }
  for (int row = 0; row < int(kFadingVeils.size()); ++row) {
    veil.setAlphaF(kFadingVeils[row]);
    painter.fillRect(blockBoundingGeometry(RowBlock(row)).translated(contentOffset()), veil);
  }
}

// Ctrl and the wheel zoom the whole window, which the window does; the pane does not zoom
// its own text on its own.
void StoryPane::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    event->ignore();
    return;
  }
  QPlainTextEdit::wheelEvent(event);
}

// The document always holds the 25 rows, so the screen's rows are its last 25 blocks.
QTextBlock StoryPane::RowBlock(int row) const {
  return document()->findBlockByNumber(document()->blockCount() - kScreenRows + row);
}

}  // namespace vortila
