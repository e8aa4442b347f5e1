#include "app/qt/story_pane.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

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
  // The room above the rows, when the pane is taller than they need, is the screen's too.
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
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

void StoryPane::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitScreenRows();
}

// Rows 0 and 1 fade by a veil of the background's own colour laid over them, so that they
// fade alike in every look and the lines keep no colour of their own as they move up.
void StoryPane::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  QColor veil = palette().color(QPalette::Base);
  for (int row = 0; row < int(kFadingVeils.size()); ++row) {
    veil.setAlphaF(kFadingVeils[row]);
    painter.fillRect(blockBoundingGeometry(RowBlock(row)).translated(contentOffset()), veil);
  }
}

void StoryPane::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  FitScreenRows();
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

// At the bottom the pane shows the 25 rows and no line of the past above them: the room the
// rows do not need stays empty above them. A text zoomed in past that shows what fits. The
// pane lays a line out in whole pixels, and it counts a line as shown only when the
// document's margin below it and one pixel more fit too.
void StoryPane::FitScreenRows() {
  const int rowHeight = static_cast<int>(std::ceil(QFontMetricsF(font()).lineSpacing()));
  const int margin = static_cast<int>(std::ceil(document()->documentMargin()));
  const int rows = kScreenRows * rowHeight + 2 * margin + 1;
  setViewportMargins(0, std::max(0, contentsRect().height() - rows), 0, 0);
}

}  // namespace vortila
