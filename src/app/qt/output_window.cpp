#include "app/qt/output_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/keys.h"
#include "app/qt/picture_pane.h"
#include "app/qt/story_pane.h"
#include "app/rewind.h"
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

// Zooming goes by tenths of the size that fits the window, from half of it to two and a
// half times.
constexpr int kSmallestZoom = -5;
constexpr int kLargestZoom = 15;

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

bool IsModifierKey(int qtKey) {
  return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
         qtKey == Qt::Key_Meta || qtKey == Qt::Key_AltGr;
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

QLabel* PlainLabel(const QString& objectName, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(objectName);
  // What the game and the player write is shown as written, never read as markup.
  label->setTextFormat(Qt::PlainText);
  label->setFocusPolicy(Qt::NoFocus);
  // The text never resizes the window: a line longer than its place is cut at its edge.
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  return label;
}

QAction* AddAction(QMenu& menu, const QString& objectName, const QString& text,
                   const QList<QKeySequence>& shortcuts = {}) {
  QAction* action = menu.addAction(text);
  action->setObjectName(objectName);
  action->setShortcuts(shortcuts);
  return action;
}

// Each carried thing is a paragraph of its own whose wrapped lines start past its "> "
// mark, so that the rest of a long title does not read as another thing.
QString InventoryHtml(const QStringList& lines, int indent) {
  QString html;
  for (const QString& line : lines) {
    html += QStringLiteral(
                "<p style=\"margin:0; margin-left:%1px; text-indent:-%1px; "
                "white-space:pre-wrap\">%2</p>")
                .arg(indent)
                .arg(line.toHtmlEscaped());
  }
  return html;
}

std::optional<std::filesystem::path> AskForFile(QWidget* parent, FileDialogPurpose purpose,
                                                const std::filesystem::path& folder) {
  const bool saving = purpose == FileDialogPurpose::Save;
  QFileDialog dialog(parent, saving ? "Salva la partita" : "Carica una partita",
                     QFile::decodeName(std::filesystem::absolute(folder).c_str()),
                     "Partite salvate (*.sav);;Tutti i file (*)");
  if (saving) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("sav");
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(dialog.selectedFiles().first()).toStdString());
}

}  // namespace

OutputWindow::OutputWindow(GameFolders folders)
    : textlines_(new StoryPane(this)),
      prompt_(PlainLabel("Prompt", this)),
      textInput_(new QLineEdit(this)),
      immagine_(new PicturePane(this)),
      inventario_(new QGroupBox("Inventario", this)),
      inventarietto_(PlainLabel("Inventarietto", inventario_)),
      menus_(new QMenuBar(this)),
      chooseFile_([this](FileDialogPurpose purpose, const std::filesystem::path& folder) {
        return AskForFile(this, purpose, folder);
      }),
      game_(*this, std::move(folders)) {
  setObjectName("Output");
  setWindowTitle("La Vortila");
  setWindowIcon(QIcon(":/vortila/icona.png"));
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  setFont(font);

  textlines_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

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
  // The frame is narrow: a long title goes on in the next line rather than being cut off,
  // indented, which takes rich text; every title is escaped into it.
  inventarietto_->setTextFormat(Qt::RichText);
  inventarietto_->setWordWrap(true);
  inventarietto_->setAccessibleDescription("Oggetti in tuo possesso");
  (new QVBoxLayout(inventario_))->addWidget(inventarietto_);

  auto* left = new QVBoxLayout;
  left->addWidget(textlines_, 1);
  left->addLayout(command);
  auto* right = new QVBoxLayout;
  right->addWidget(immagine_, 3);
  right->addWidget(inventario_, 2);
  auto* columns = new QHBoxLayout(this);
  columns->setMenuBar(menus_);
  columns->addLayout(left, kScreenStretch);
  columns->addLayout(right, kSideStretch);
  BuildMenus();

  // Whatever is clicked, the keys go to the command box.
  setFocusProxy(textInput_);
  setMinimumSize(kSmallestWindow.boundedTo(LargestScreen()));
  ApplyLook();
  ApplySettings(kDefaultWindowSettings);
}

void OutputWindow::BuildMenus() {
  // The menus keep the desktop's own font, whatever size the story's text takes.
  menus_->setFont(QApplication::font());
  QMenu* game = menus_->addMenu("&Partita");
  game->setObjectName("Partita");
  BuildGameMenu(*game);
  QMenu* view = menus_->addMenu("&Vista");
  view->setObjectName("Vista");
  BuildViewMenu(*view);
  for (QMenu* menu : menus_->findChildren<QMenu*>()) {
    // Menus are windows of their own: they take the window's look only when told to.
    menu->setAttribute(Qt::WA_WindowPropagation);
  }
}

void OutputWindow::BuildGameMenu(QMenu& menu) {
  connect(AddAction(menu, "Salva", "&Salva…", {QKeySequence::Save}), &QAction::triggered, this,
          [this] { SaveFromMenu(); });
  connect(AddAction(menu, "Carica", "&Carica…", {QKeySequence::Open}), &QAction::triggered,
          this, [this] { LoadFromMenu(); });
  resume_ = AddAction(menu, "Riprendi", "Riprendi la partita &interrotta");
  connect(resume_, &QAction::triggered, this, [this] { ResumeFromMenu(); });
  // The entry is there only while there is an interrupted game to take up.
  connect(&menu, &QMenu::aboutToShow, this, [this] { resume_->setVisible(CanResume(game_)); });
  menu.addSeparator();
  connect(AddAction(menu, "AnnullaMossa", "&Annulla mossa", {QKeySequence("Ctrl+Z")}),
          &QAction::triggered, this, [this] { UndoFromMenu(); });
  connect(AddAction(menu, "Ricomincia", "&Ricomincia"), &QAction::triggered, this,
          [this] { RestartFromMenu(); });
  menu.addSeparator();
  connect(AddAction(menu, "Esci", "&Esci", {QKeySequence("Ctrl+Q")}),
          &QAction::triggered, this, [this] { close(); });
}

void OutputWindow::BuildViewMenu(QMenu& menu) {
  connect(AddAction(menu, "Ingrandisci", "&Ingrandisci il testo",
                    {QKeySequence::ZoomIn, QKeySequence("Ctrl+=")}),
          &QAction::triggered, this, [this] { Zoom(+1); });
  connect(AddAction(menu, "Riduci", "&Riduci il testo", {QKeySequence::ZoomOut}),
          &QAction::triggered, this, [this] { Zoom(-1); });
  connect(AddAction(menu, "DimensioneNormale", "Dimensione &normale", {QKeySequence("Ctrl+0")}),
          &QAction::triggered, this, [this] { Zoom(-zoom_); });
  menu.addSeparator();
  fullScreen_ = AddAction(menu, "SchermoIntero", "&Schermo intero",
                          {QKeySequence(Qt::Key_F11)});
  fullScreen_->setCheckable(true);
  connect(fullScreen_, &QAction::toggled, this, [this](bool full) { ToggleFullScreen(full); });
  menu.addSeparator();

  QMenu* looks = menu.addMenu("&Aspetto");
  auto* choices = new QActionGroup(looks);
  struct LookEntry {
    LookChoice choice;
    const char* name;
    const char* text;
  };
  constexpr LookEntry kLooks[] = {{LookChoice::System, "AspettoDelSistema", "Come il &sistema"},
                                  {LookChoice::Light, "AspettoChiaro", "&Chiaro"},
                                  {LookChoice::Dark, "AspettoScuro", "Sc&uro"}};
  for (const auto& [choice, name, text] : kLooks) {
    QAction* action = AddAction(*looks, name, text);
    action->setCheckable(true);
    action->setChecked(choice == look_);
    choices->addAction(action);
    connect(action, &QAction::triggered, this, [this, choice] {
      look_ = choice;
      ApplyLook();
    });
  }
}

void OutputWindow::Start() { StartGame(game_); }

void OutputWindow::ScrollTextlines() { textlines_->ScrollRows(); }

void OutputWindow::SetTextline(int row, std::string_view text) {
  textlines_->SetRow(row, FromUtf8(text));
}

std::string OutputWindow::TextInput() const { return textInput_->text().toStdString(); }

void OutputWindow::SetTextInput(std::string_view text) { textInput_->setText(FromUtf8(text)); }

void OutputWindow::SetInventarietto(std::string_view text) {
  QString lines = FromUtf8(text);
  if (lines.endsWith('\r')) lines.chop(1);
  inventory_ = lines.isEmpty() ? QStringList() : lines.split('\r');
  ShowInventory();
}

void OutputWindow::ShowImmagine(std::string_view fileName, std::string_view description) {
  const std::filesystem::path path = game_.folders.data / fileName;
  immagine_->Show(QString::fromStdString(path.string()), FromUtf8(fileName),
                  FromUtf8(description));
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
  if (watched == textInput_ && event->type() == QEvent::ShortcutOverride &&
      IsMenuShortcut(static_cast<const QKeyEvent&>(*event))) {
    // The command box would keep Ctrl+Z for its own editing: the menu's entries come first.
    event->ignore();
    return true;
  }
  if (watched == textInput_ && event->type() == QEvent::KeyPress) {
    return HandleKey(static_cast<const QKeyEvent&>(*event));
  }
  return QWidget::eventFilter(watched, event);
}

bool OutputWindow::IsMenuShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : menus_->findChildren<QAction*>()) {
    if (action->shortcuts().contains(pressed)) return true;
  }
  return false;
}

// Page Up and Page Down scroll the story, and a copy takes the story's selection when the
// command box has none; those keys stay the window's. Each other key goes first to the
// key-down handler, then its character to the key-press handler, as the game expects. Up
// and Down belong to the history and Enter to the game; every other key then edits the
// command box as usual.
bool OutputWindow::HandleKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown) {
    textlines_->ScrollPages(key.key() == Qt::Key_PageUp ? -1 : 1);
    return true;
  }
  if (key.matches(QKeySequence::Copy) && !textInput_->hasSelectedText() &&
      textlines_->textCursor().hasSelection()) {
    textlines_->copy();
    return true;
  }
  if (!IsModifierKey(key.key())) textlines_->ScrollToBottom();
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
  if (game_.ended) return;
  try {
    work();
  } catch (const std::exception& error) {
    if (!game_.ended) EndGame(game_, error.what());
  }
}

void OutputWindow::SaveFromMenu() {
  const auto file = chooseFile_(FileDialogPurpose::Save, game_.folders.player);
  if (file) RunInGame([&] { SaveGameAs(game_, *file); });
}

void OutputWindow::LoadFromMenu() {
  const auto file = chooseFile_(FileDialogPurpose::Load, game_.folders.player);
  if (file) RunInGame([&] { LoadGameFrom(game_, *file); });
}

void OutputWindow::ResumeFromMenu() {
  RunInGame([&] { ResumeGame(game_); });
}

void OutputWindow::UndoFromMenu() {
  RunInGame([&] { UndoTurn(game_); });
}

// The same as the player typing "ricominciare", which the game takes both in play and as
// the answer after an ending. A page the game is holding is turned first, as the player
// would have to, so that nothing of it is lost from the story.
void OutputWindow::RestartFromMenu() {
  RunInGame([&] {
    while (!game_.ended && PageHeld(game_.screen)) {
      textInput_->setText(FromUtf8(kPagePrompt));
      KeyPress(game_, kEnterKey);
    }
    if (game_.ended) return;
    textInput_->setText("ricominciare");
    KeyPress(game_, kEnterKey);
  });
}

void OutputWindow::Zoom(int steps) {
  zoom_ = std::clamp(zoom_ + steps, kSmallestZoom, kLargestZoom);
  FitFont();
}

void OutputWindow::ToggleFullScreen(bool full) {
  if (full == isFullScreen()) return;
  if (full) {
    showFullScreen();
  } else {
    showNormal();
  }
}

void OutputWindow::ApplyLook() { setPalette(LookFor(look_)); }

void OutputWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::ApplicationPaletteChange:
    case QEvent::ThemeChange:
      // The desktop's colours changed: a window that follows them follows.
      if (look_ == LookChoice::System) ApplyLook();
      break;
    case QEvent::FontChange:
      ShowInventory();
      break;
    case QEvent::WindowStateChange:
      // Leaving full screen through the desktop rather than the menu unticks the entry.
      if (fullScreen_) fullScreen_->setChecked(isFullScreen());
      break;
    default:
      break;
  }
}

void OutputWindow::closeEvent(QCloseEvent* event) {
  RunInGame([&] { CloseGame(game_); });
  event->accept();
}

void OutputWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitFont();
}

// Ctrl and the wheel zoom, as in a browser; the wheel alone scrolls the story.
void OutputWindow::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
    QWidget::wheelEvent(event);
    return;
  }
  Zoom(event->angleDelta().y() > 0 ? 1 : -1);
  event->accept();
}

// The text grows with the window. The size follows from the window's own size rather than
// from the story pane's, which itself follows the font, so a resize settles at once. The
// player's zoom scales the size that fits.
void OutputWindow::FitFont() {
  QFont sized = font();
  sized.setPixelSize(100);
  const QFontMetricsF metrics(sized);
  const QMargins margins = layout()->contentsMargins();
  const double textWidth = (width() - margins.left() - margins.right()) * kScreenStretch /
                               double(kScreenStretch + kSideStretch) -
                           2 * textlines_->frameWidth() - layout()->spacing();
  const double textHeight =
      height() - margins.top() - margins.bottom() - menus_->sizeHint().height();
  const double byWidth = 100 * textWidth / (kColumnsShown * metrics.horizontalAdvance('M'));
  const double byHeight = 100 * textHeight / (kLinesShown * metrics.lineSpacing());
  const double fitted = std::min(byWidth, byHeight) * (1 + zoom_ / 10.0);
  const int pixels = std::max(kSmallestFont, static_cast<int>(fitted));
  if (pixels == font().pixelSize()) return;
  sized.setPixelSize(pixels);
  setFont(sized);
}

void OutputWindow::ShowInventory() {
  const int indent = qRound(QFontMetricsF(inventarietto_->font()).horizontalAdvance("> "));
  inventarietto_->setText(InventoryHtml(inventory_, indent));
}

}  // namespace vortila
