#include "app/qt/output_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/keys.h"
#include "app/qt/picture_pane.h"
#include "app/startup.h"

namespace vortila {

namespace {

// Every key that is not Enter, Up, Down or End reaches the key-down handler as this code,
// which is none of those.
constexpr int kOtherKey = 0;

// The smallest window in which the text can still be read; the delivered size is
// 1000 by 720.
constexpr QSize kSmallestWindow{640, 420};

// What the text is sized for: a wrapped line is cut at the first blank after its 64th
// character, so most lines need a few columns more; the rows, the command box below them
// and the window's margins share the height.
constexpr double kColumnsShown = 80;
constexpr double kLinesShown = kScreenRows + 3;
// The text screen's share of the window's width; the picture and the inventory have the
// rest.
constexpr int kScreenStretch = 3;
constexpr int kSideStretch = 1;
constexpr int kSmallestFont = 8;

int KeyDownCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kEnterKey;
    case Qt::Key_Up:
      return kUpKey;
    case Qt::Key_Down:
      return kDownKey;
    case Qt::Key_End:
      return kEndKey;
    default:
      return kOtherKey;
  }
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A stored value brought within [smallest, largest]; on a screen smaller than `smallest`
// the screen wins.
int Fit(float value, int smallest, int largest) {
  const double wanted = std::isfinite(value) ? value : smallest;
  const double low = std::min(smallest, largest);
  return static_cast<int>(std::lround(std::clamp(wanted, low, double(largest))));
}

// The room the largest screen leaves for a window, or no bound where no screen is known.
QSize LargestScreen() {
  const auto screens = QGuiApplication::screens();
  if (screens.isEmpty()) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  QSize largest(0, 0);
  for (const QScreen* screen : screens) largest = largest.expandedTo(screen->availableSize());
  return largest;
}

QColor Blend(const QColor& from, const QColor& to, double share) {
  return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share,
                          from.greenF() + (to.greenF() - from.greenF()) * share,
                          from.blueF() + (to.blueF() - from.blueF()) * share);
}

QLabel* PlainLabel(const QString& objectName, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(objectName);
  // What the game and the player write is shown as written, never read as markup.
  label->setTextFormat(Qt::PlainText);
  label->setFocusPolicy(Qt::NoFocus);
  // The text never resizes the window: a line longer than the screen is cut at its edge.
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  return label;
}

}  // namespace

OutputWindow::OutputWindow(GameFolders folders)
    : screen_(new QFrame(this)),
      prompt_(PlainLabel("Prompt", this)),
      textInput_(new QLineEdit(this)),
      immagine_(new PicturePane(this)),
      inventario_(new QGroupBox("Inventario", this)),
      inventarietto_(PlainLabel("Inventarietto", inventario_)),
      game_(*this, std::move(folders)) {
  setObjectName("Output");
  setWindowTitle("La Vortila");
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  setFont(font);

  screen_->setObjectName("Schermo");
  screen_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  screen_->setBackgroundRole(QPalette::Base);
  screen_->setAutoFillBackground(true);
  screen_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto* rows = new QVBoxLayout(screen_);
  rows->setSpacing(0);
  for (int row = 0; row < kScreenRows; ++row) {
    textlines_[row] = PlainLabel("Textlines", screen_);
    textlines_[row]->setAccessibleDescription(
        QStringLiteral("Riga %1 di %2").arg(row + 1).arg(kScreenRows));
    rows->addWidget(textlines_[row]);
  }
  FadeOldestRows();

  prompt_->setText(" >");
  prompt_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  textInput_->setObjectName("TextInput");
  textInput_->setPlaceholderText("Inserire qui i comandi");
  textInput_->setAccessibleName("Comando");
  textInput_->installEventFilter(this);
  auto* command = new QHBoxLayout;
  command->addWidget(prompt_);
  command->addWidget(textInput_, 1);

  inventario_->setObjectName("Inventario");
  inventario_->setToolTip("Oggetti in tuo possesso");
  inventario_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  inventarietto_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The frame is narrow: a long title goes on in the next line rather than being cut off.
  inventarietto_->setWordWrap(true);
  inventarietto_->setAccessibleDescription("Oggetti in tuo possesso");
  (new QVBoxLayout(inventario_))->addWidget(inventarietto_);

  auto* left = new QVBoxLayout;
  left->addWidget(screen_, 1);
  left->addLayout(command);
  auto* right = new QVBoxLayout;
  right->addWidget(immagine_, 3);
  right->addWidget(inventario_, 2);
  auto* columns = new QHBoxLayout(this);
  columns->addLayout(left, kScreenStretch);
  columns->addLayout(right, kSideStretch);

  // Whatever is clicked, the keys go to the command box.
  setFocusProxy(textInput_);
  setMinimumSize(kSmallestWindow.boundedTo(LargestScreen()));
  ApplySettings(kDefaultWindowSettings);
}

void OutputWindow::Start() { StartGame(game_); }

void OutputWindow::ScrollTextlines() {
  for (int row = 0; row + 1 < kScreenRows; ++row) {
    textlines_[row]->setText(textlines_[row + 1]->text());
  }
}

void OutputWindow::SetTextline(int row, std::string_view text) {
  textlines_.at(row)->setText(FromUtf8(text));
}

std::string OutputWindow::TextInput() const { return textInput_->text().toStdString(); }

void OutputWindow::SetTextInput(std::string_view text) { textInput_->setText(FromUtf8(text)); }

void OutputWindow::SetInventarietto(std::string_view text) {
  QString lines = FromUtf8(text);
  if (lines.endsWith('\r')) lines.chop(1);
  lines.replace('\r', '\n');
  inventarietto_->setText(lines);
}

void OutputWindow::ShowImmagine(std::string_view fileName, std::string_view description) {
  const std::filesystem::path path = game_.folders.data / fileName;
  immagine_->Show(QString::fromStdString(path.string()), FromUtf8(fileName));
  immagine_->setAccessibleDescription(FromUtf8(description));
}

void OutputWindow::ShowOutput() {
  show();
  activateWindow();
  textInput_->setFocus();
}

WindowSettings OutputWindow::CurrentSettings() const {
  // A maximised window keeps the size it will return to.
  const QSize shown = isMaximized() || isFullScreen() ? normalGeometry().size() : size();
  return {static_cast<float>(shown.width()), static_cast<float>(shown.height())};
}

void OutputWindow::ApplySettings(WindowSettings settings) {
  // iniziale.ini can be edited by hand or come from another machine: a size that would
  // leave nothing readable, or that no screen can show, is brought within bounds.
  const QSize largest = LargestScreen();
  resize(Fit(settings.first, kSmallestWindow.width(), largest.width()),
         Fit(settings.second, kSmallestWindow.height(), largest.height()));
}

void OutputWindow::EndProgram(std::string_view problem) {
  problem_ = problem;
  // Queued, so that the key event that ended the game returns first. Leaving the event
  // loop is all that is left to do: the game has saved what it keeps.
  QMetaObject::invokeMethod(
      this, [] { QCoreApplication::exit(); }, Qt::QueuedConnection);
}

bool OutputWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == textInput_ && event->type() == QEvent::KeyPress) {
    return HandleKey(static_cast<const QKeyEvent&>(*event));
  }
  return QWidget::eventFilter(watched, event);
}

// Each key goes first to the key-down handler, then its character to the key-press
// handler, as the game expects. Up and Down belong to the history and Enter to the game;
// every other key then edits the command box as usual.
bool OutputWindow::HandleKey(const QKeyEvent& key) {
  const int code = KeyDownCode(key.key());
  RunInGame([&] {
    KeyDown(game_, code);
    if (code == kEnterKey) {
      KeyPress(game_, kEnterKey);
    } else if (!key.text().isEmpty()) {
      KeyPress(game_, static_cast<int>(key.text().at(0).unicode()));
    }
  });
  return code == kUpKey || code == kDownKey || code == kEnterKey;
}

// An exception must not leave a Qt event handler. A restart reads the data files again,
// and one that has gone missing since the start ends the game with its reason, as a
// failed start would.
void OutputWindow::RunInGame(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    if (!game_.ended) EndGame(game_, error.what());
  }
}

void OutputWindow::closeEvent(QCloseEvent* event) {
  if (!game_.ended) RunInGame([&] { CloseGame(game_); });
  event->accept();
}

void OutputWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitFont();
}

// The text grows with the window. The size follows from the window's own size rather than
// from the rows' boxes, which themselves follow the font, so a resize settles at once.
void OutputWindow::FitFont() {
  QFont sized = font();
  sized.setPixelSize(100);
  const QFontMetricsF metrics(sized);
  const QMargins margins = layout()->contentsMargins();
  const double textWidth = (width() - margins.left() - margins.right()) * kScreenStretch /
                               double(kScreenStretch + kSideStretch) -
                           2 * screen_->frameWidth() - layout()->spacing();
  const double textHeight = height() - margins.top() - margins.bottom();
  const double byWidth = 100 * textWidth / (kColumnsShown * metrics.horizontalAdvance('M'));
  const double byHeight = 100 * textHeight / (kLinesShown * metrics.lineSpacing());
  const int pixels = std::max(kSmallestFont, static_cast<int>(std::min(byWidth, byHeight)));
  if (pixels == font().pixelSize()) return;
  sized.setPixelSize(pixels);
  setFont(sized);
}

// The oldest two rows fade towards the background: row 0 grey, row 1 dark grey.
void OutputWindow::FadeOldestRows() {
  const QPalette& colours = screen_->palette();
  const QColor text = colours.color(QPalette::Text);
  const QColor background = colours.color(QPalette::Base);
  for (int row = 0; row < kScreenRows; ++row) {
    const double fade = row == 0 ? 0.6 : row == 1 ? 0.4 : 0.0;
    QPalette rowColours = textlines_[row]->palette();
    rowColours.setColor(QPalette::Text, Blend(text, background, fade));
    textlines_[row]->setForegroundRole(QPalette::Text);
    textlines_[row]->setPalette(rowColours);
  }
}

}  // namespace vortila
