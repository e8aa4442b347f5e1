#include "app/qt/output_window.h"

#include <sys/stat.h>

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <optional>

#include "app/qt/picture_pane.h"
#include "app/qt/story_pane.h"
#include "app/startup.h"
#include "test_support.h"

namespace vortila {
namespace {

const QString kHeldPage = "(premi INVIO)";

// A game in a folder of its own with the data as delivered, played through the window's
// own widgets with the keys a player presses.
struct Session {
  Session() { folder.WithGameData(); }

  QLineEdit* Box() { return window.findChild<QLineEdit*>("TextInput"); }
  PicturePane* Picture() { return window.findChild<PicturePane*>("immagine"); }
  QLabel* Inventory() { return window.findChild<QLabel*>("Inventarietto"); }
  StoryPane* Story() { return window.findChild<StoryPane*>("Textlines"); }
  QString Row(int row) { return Story()->Row(row); }
  // The row that shows `text`, or -1.
  int RowShowing(const QString& text) {
    for (int row = 0; row < kScreenRows; ++row) {
      if (Row(row) == text) return row;
    }
    return -1;
  }
  QString Screen() {
    QStringList rows;
    for (int row = 0; row < kScreenRows; ++row) rows << Row(row);
    return rows.join('\n');
  }
  // The lines the story pane shows whole, top to bottom.
  QStringList Shown() {
    StoryPane* story = Story();
    QStringList lines;
    for (QTextBlock block = story->cursorForPosition(QPoint(0, 0)).block(); block.isValid();
         block = block.next()) {
      const QRect line = story->cursorRect(QTextCursor(block));
      if (line.bottom() > story->viewport()->height()) break;
      lines << block.text();
    }
    return lines;
  }
  // Where row `row` is drawn in the story pane's viewport.
  QRect RowRect(int row) {
    QTextDocument* story = Story()->document();
    return Story()->cursorRect(
        QTextCursor(story->findBlockByNumber(story->blockCount() - kScreenRows + row)));
  }
  // The inventory frame's text as the player reads it.
  QString Carried() {
    QTextDocument shown;
    shown.setHtml(Inventory()->text());
    return shown.toPlainText();
  }
  QAction* Menu(const char* name) { return window.findChild<QAction*>(name); }

  void Type(const QString& text) {
    QTest::keyClicks(Box(), text);
    PressEnter();
  }
  void PressEnter() { QTest::keyClick(Box(), Qt::Key_Return); }
  void TurnPages() {
    while (Box()->text() == kHeldPage) PressEnter();
  }
  void StartAndPlay() {
    window.Start();
    TurnPages();
  }
  void Settings(std::string_view contents) { folder.Write("iniziale.ini", contents); }

  testing::TempFolder folder;
  OutputWindow window{folder.path()};
};

QString AccessibleText(QObject* object, QAccessible::Text kind) {
  return QAccessible::queryAccessibleInterface(object)->text(kind);
}

double Luminance(const QColor& colour) {
  const auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double lighter = std::max(Luminance(a), Luminance(b));
  const double darker = std::min(Luminance(a), Luminance(b));
  return (lighter + 0.05) / (darker + 0.05);
}

// The contrast against the background of the most strongly drawn pixel of a screen row,
// which in a glyph's stem is the text's own colour.
double DrawnContrast(Session& session, int row) {
  StoryPane* story = session.Story();
  session.window.SetTextline(row, "MMMM HHHH");
  const QImage drawn = story->viewport()->grab().toImage();
  const QRect line = session.RowRect(row);
  const QColor background = drawn.pixelColor(drawn.width() - 2, line.center().y());
  double strongest = 1;
  for (int y = line.top(); y <= line.bottom(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      strongest = std::max(strongest, Contrast(drawn.pixelColor(x, y), background));
    }
  }
  return strongest;
}

// The left edge of the ink in each line of text drawn in `image`, top to bottom.
QList<int> InkLineStarts(const QImage& image, const QColor& background) {
  QList<int> starts;
  bool inLine = false;
  for (int y = 0; y < image.height(); ++y) {
    int left = -1;
    for (int x = 0; x < image.width() && left < 0; ++x) {
      if (Contrast(image.pixelColor(x, y), background) > 2) left = x;
    }
    if (left >= 0 && !inLine) starts << left;
    if (left >= 0) starts.back() = std::min(starts.back(), left);
    inLine = left >= 0;
  }
  return starts;
}

}  // namespace

class OutputWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheFirstPageShowsTheTitleAndHoldsTheRest() {
    Session session;
    session.window.Start();
    QVERIFY(session.Screen().contains("LA VORTILA"));
    QCOMPARE(session.Box()->text(), kHeldPage);
    QVERIFY(!session.window.windowIcon().isNull());
    // Whatever the player clicks, the keys go to the command box.
    QVERIFY(QTest::qWaitForWindowActive(&session.window));
    QTest::mouseClick(session.Story()->viewport(), Qt::LeftButton);
    QTest::mouseClick(session.Picture(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), session.Box());
    QCOMPARE(session.Picture()->FileName(), "001.pkd");
    // The 64-character wrap lays out as columns only in a monospaced font.
    const QFontMetricsF metrics(session.Story()->font());
    QCOMPARE(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM"));
  }

  void ACommandIsEditedInTheBoxThenEchoedInCapitals() {
    Session session;
    session.StartAndPlay();
    QTest::keyClicks(session.Box(), "prendx");
    QTest::keyClick(session.Box(), Qt::Key_Backspace);
    QTest::keyClicks(session.Box(), "i la torcia");
    session.PressEnter();
    // The echo comes after an empty line; the game's reply, if any, follows it.
    const int echo = session.RowShowing(" > PRENDI LA TORCIA");
    QVERIFY(echo > 0);
    QCOMPARE(session.Row(echo - 1), "");
    QCOMPARE(session.Box()->text(), "");
  }

  void UpAndDownBrowseTheHistoryAndOtherKeysStartOver() {
    Session session;
    session.StartAndPlay();
    for (const char* command : {"uno", "due", "tre"}) session.Type(command);
    QLineEdit* box = session.Box();
    QTest::keyClick(box, Qt::Key_Up);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), "due");
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), "uno");
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->text(), "due");
    QTest::keyClick(box, Qt::Key_X);
    QCOMPARE(box->text(), "duex");
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), "tre");
  }

  void EachHeldPageTurnsOnEnterWithTheNextPicture() {
    Session session;
    session.window.Start();
    const QString firstPage = session.Row(24);
    // What is typed over a held page is not played.
    session.Type("guarda");
    QCOMPARE(session.Picture()->FileName(), "002.pkd");
    QVERIFY(session.Row(24) != firstPage);
    QVERIFY(!session.Screen().contains("GUARDA"));
    QStringList pictures;
    while (session.Box()->text() == kHeldPage) {
      session.PressEnter();
      pictures << session.Picture()->FileName();
    }
    QCOMPARE(pictures.last(), "007.pkd");
  }

  void ThePictureIsReadByItsContentAndKeepsItsProportions() {
    Session session;
    QImage wide(40, 10, QImage::Format_RGB32);
    wide.fill(Qt::red);
    QVERIFY(wide.save(QString::fromStdString((session.folder.path() / "002.pkd").string()), "PNG"));
    session.folder.Write("003.pkd", "not a picture at all");
    std::filesystem::remove(session.folder.path() / "001.pkd");
    session.window.Start();
    QVERIFY(!session.Picture()->HasPicture());  // 001.pkd is not there
    QCOMPARE(AccessibleText(session.Picture(), QAccessible::Description),
             "Immagine non disponibile");
    session.PressEnter();
    PicturePane* pane = session.Picture();
    QVERIFY(pane->HasPicture());
    pane->resize(200, 200);
    const QImage shown = pane->grab().toImage();
    const QPoint centre(shown.width() / 2, shown.height() / 2);
    QCOMPARE(shown.pixelColor(centre), QColor(Qt::red));
    QVERIFY(shown.pixelColor(centre.x(), 5) != QColor(Qt::red));
    session.PressEnter();
    QVERIFY(!pane->HasPicture());
    QCOMPARE(pane->FileName(), "003.pkd");
    // A picture shown before is read again once its file has changed.
    QImage tall(10, 40, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    QVERIFY(tall.save(QString::fromStdString((session.folder.path() / "002.pkd").string()), "PNG"));
    session.window.ShowImmagine("002.pkd", "");
    QCOMPARE(pane->grab().toImage().pixelColor(centre), QColor(Qt::blue));
    // A FIFO in a picture's place would keep the window waiting for a writer for ever.
    std::filesystem::remove(session.folder.path() / "004.pkd");
    QCOMPARE(mkfifo((session.folder.path() / "004.pkd").c_str(), 0600), 0);
    session.PressEnter();
    QVERIFY(!pane->HasPicture());
    QCOMPARE(pane->FileName(), "004.pkd");
  }

  void TheInventoryListsWhatIsCarriedOnceTheIntroductionEnds() {
    Session session;
    session.window.Start();
    QCOMPARE(session.Carried(), "");
    session.TurnPages();
    QCOMPARE(session.Carried(),
             "> la tuta spaziale*\n> il casco*\n> la torcia\n> la cassetta degli attrezzi\n> il gancio");
  }

  // A title too long for the frame goes on in the next line, indented past the mark that
  // starts each carried thing, so that it does not read as another one.
  void AWrappedTitleIsIndentedOnItsSecondLine() {
    Session session;
    session.Settings("640\r\n420\r\n");
    session.StartAndPlay();
    session.window.SetInventarietto(
        "> la cassetta degli attrezzi del primo astronauta della missione\r> il casco*\r");
    QLabel* label = session.Inventory();
    const QImage drawn = label->grab().toImage();
    const QList<int> starts = InkLineStarts(drawn, label->palette().color(QPalette::Window));
    QVERIFY2(starts.size() >= 3, "the long title should wrap");
    const int mark = qRound(QFontMetricsF(label->font()).horizontalAdvance("> "));
    QVERIFY(starts[1] >= starts[0] + mark / 2);
    QVERIFY(std::abs(starts.back() - starts[0]) < mark / 2);
  }

  void TheOldestRowsFadeYetStayReadableInBothLooks() {
    Session session;
    session.Settings("1000\r\n720\r\n");
    session.window.Start();
    for (const char* look : {"AspettoChiaro", "AspettoScuro"}) {
      session.Menu(look)->trigger();
      const double oldest = DrawnContrast(session, 0);
      const double older = DrawnContrast(session, 1);
      const double text = DrawnContrast(session, 2);
      QVERIFY2(oldest >= 4.5, look);
      QVERIFY2(oldest < older && older < text, look);
      QCOMPARE(DrawnContrast(session, 24), text);
    }
  }

  void MarkupTypedByThePlayerIsShownAsTyped() {
    Session session;
    session.StartAndPlay();
    session.Type("<h1>ciao</h1><br>x");
    QVERIFY(session.RowShowing(" > <H1>CIAO</H1><BR>X") > 0);
  }

  void ScreenReadersReadTheStoryTheInventoryAndThePicture() {
    Session session;
    session.StartAndPlay();
    session.Type("esamina il gancio");
    QVERIFY(AccessibleText(session.Story(), QAccessible::Value).contains("raggiunto la vortila."));
    QVERIFY(AccessibleText(session.Inventory(), QAccessible::Name).contains("il casco"));
    QCOMPARE(AccessibleText(session.Picture(), QAccessible::Name), "Immagine 007.pkd");
    QVERIFY(AccessibleText(session.Picture(), QAccessible::Description)
                .startsWith("L'apertura ovale si chiude come una palpebra"));
  }

  // At the bottom the pane is the game's screen, at any size of the window: its 25 rows, and
  // above them, in a pane taller than they need, nothing until the player scrolls back.
  void TheBottomOfTheStoryIsTheScreen() {
    Session session;
    session.StartAndPlay();
    StoryPane* story = session.Story();
    for (const QSize size : {QSize(640, 420), QSize(1000, 720), QSize(800, 1100)}) {
      session.window.resize(size);
      QCoreApplication::processEvents();
      const QStringList shown = session.Shown();
      QCOMPARE(shown.mid(shown.size() - kScreenRows), session.Screen().split('\n'));
      const int top = session.RowRect(0).top();
      const QImage drawn = story->viewport()->grab().toImage();
      QCOMPARE(InkLineStarts(drawn.copy(0, 0, drawn.width(), top), Qt::white).size(), 0);
    }
    // One line back, the lines above the rows show.
    story->verticalScrollBar()->setValue(story->verticalScrollBar()->value() - 1);
    const QImage drawn = story->viewport()->grab().toImage();
    QVERIFY(InkLineStarts(drawn.copy(0, 0, drawn.width(), session.RowRect(0).top()), Qt::white)
                .size() > 0);
  }

  void ScrollingBackShowsWhatLeftTheScreenUntilTheNextKey() {
    Session session;
    session.StartAndPlay();
    QVERIFY(!session.Screen().contains("LA VORTILA"));
    QLineEdit* box = session.Box();
    QTest::keyClicks(box, "guar");
    for (int page = 0; page < 20 && !session.Shown().contains("LA VORTILA"); ++page) {
      QTest::keyClick(box, Qt::Key_PageUp);
    }
    QVERIFY(session.Shown().contains("LA VORTILA"));
    // The keys that scroll do not reach the command box.
    QCOMPARE(box->text(), "guar");
    QTest::keyClick(box, Qt::Key_PageDown);
    QVERIFY(!session.Story()->AtBottom());
    QTest::keyClicks(box, "da");
    QVERIFY(session.Story()->AtBottom());
    QCOMPARE(box->text(), "guarda");
    // New output brings the view back too.
    QTest::keyClick(box, Qt::Key_PageUp);
    session.PressEnter();
    QVERIFY(session.Story()->AtBottom());
    QCOMPARE(session.Shown().last(), session.Row(24));
  }

  void TheStorysSelectionIsCopiedUnlessTheBoxHasOne() {
    Session session;
    session.StartAndPlay();
    session.Story()->selectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(session.Box(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.contains("LA VORTILA"));
    QVERIFY(copied.contains(session.Row(24)));
    QTest::keyClicks(session.Box(), "torcia");
    session.Box()->selectAll();
    QTest::keyClick(session.Box(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), "torcia");
  }

  // The pane keeps the last 10,000 lines of the past and lets older ones go.
  void TheStoryKeepsTheLastTenThousandLines() {
    Session session;
    session.window.Start();
    constexpr int kLines = kScrollbackLines + 2 * kScreenRows;
    for (int line = 1; line <= kLines; ++line) {
      session.window.ScrollTextlines();
      session.window.SetTextline(24, "riga " + std::to_string(line));
    }
    QTextDocument* story = session.Story()->document();
    QCOMPARE(story->blockCount(), kScrollbackLines + kScreenRows);
    QCOMPARE(story->firstBlock().text(), QString("riga %1").arg(kLines - story->blockCount() + 1));
    QCOMPARE(session.Row(24), QString("riga %1").arg(kLines));
  }

  void ZoomScalesTheTextAndCtrl0ReturnsToTheFittedSize() {
    Session session;
    session.StartAndPlay();
    QVERIFY(QTest::qWaitForWindowActive(&session.window));
    const auto size = [&] { return QFontInfo(session.Story()->font()).pixelSize(); };
    const int fitted = size();
    for (int step = 0; step < 5; ++step) {
      QTest::keyClick(session.Box(), Qt::Key_Plus, Qt::ControlModifier);
    }
    const int larger = size();
    QVERIFY(larger > fitted);
    // Zoomed in, the newest line is still the one shown at the bottom, the oldest rows
    // above the view.
    session.Type("guarda");
    QCOMPARE(session.Shown().last(), session.Row(24));
    QVERIFY(session.RowRect(0).top() < 0);
    // The zoom holds as the window grows.
    session.window.resize(session.window.size() + QSize(100, 60));
    QCoreApplication::processEvents();
    QVERIFY(size() > larger);
    session.window.resize(session.window.size() - QSize(100, 60));
    QCoreApplication::processEvents();
    QTest::keyClick(session.Box(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(size(), fitted);
    QTest::keyClick(session.Box(), Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(size() < fitted);
    QCOMPARE(session.Box()->text(), "");
  }

  void FullScreenKeepsTheSizeToReturnTo() {
    Session session;
    session.Settings("720\r\n480\r\n");
    session.StartAndPlay();
    QAction* fullScreen = session.Menu("SchermoIntero");
    fullScreen->trigger();
    QVERIFY(session.window.isFullScreen());
    QVERIFY(session.window.close());
    QCOMPARE(session.folder.Read("iniziale.ini"), "720\r\n480\r\n");
  }

  void RicominciaFromTheMenuIsTheTypedRestartInEveryState() {
    Session session;
    session.StartAndPlay();
    session.Type("accendi la torcia");
    session.Menu("Ricomincia")->trigger();
    QVERIFY(session.Screen().contains(" > RICOMINCIARE"));
    QVERIFY(session.Screen().contains("LA VORTILA"));
    // The new game carries nothing yet, all through its introduction.
    QCOMPARE(session.Carried(), "");
    // In the middle of the new introduction, a held page is turned first, even when the
    // player has typed over its prompt.
    QCOMPARE(session.Box()->text(), kHeldPage);
    QTest::keyClicks(session.Box(), " e poi");
    session.Menu("Ricomincia")->trigger();
    QCOMPARE(session.Box()->text(), kHeldPage);
    QCOMPARE(session.Picture()->FileName(), "001.pkd");
    session.TurnPages();
    // After an ending, the answer that starts a new game.
    session.Type("togliti il casco");
    QVERIFY(session.Screen().contains("Vuoi RICOMINCIARE o FINIRE?"));
    session.Menu("Ricomincia")->trigger();
    QVERIFY(session.Screen().contains("LA VORTILA"));
    session.TurnPages();
    QCOMPARE(session.window.game().world.GameOverState, 0);
  }

  // Ctrl+Z, even with a command half typed and after a death, takes the game back to just
  // before the fatal command: its picture, what is carried, a game in play again.
  void CtrlZAfterADeathShowsTheGameBeforeTheFatalCommand() {
    Session session;
    session.StartAndPlay();
    QVERIFY(QTest::qWaitForWindowActive(&session.window));
    session.Type("accendi la torcia");
    const QString picture = session.Picture()->FileName();
    const QString carried = session.Carried();
    session.Type("togliti il casco");
    session.TurnPages();
    QVERIFY(session.Screen().contains("Vuoi RICOMINCIARE o FINIRE?"));
    QCOMPARE(session.Picture()->FileName(), "016.pkd");
    QTest::keyClicks(session.Box(), "guar");
    QTest::keyClick(session.Box(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(session.Screen().contains("Ho annullato il comando «TOGLITI IL CASCO»."));
    QCOMPARE(session.Picture()->FileName(), picture);
    QCOMPARE(session.Carried(), carried);
    QCOMPARE(session.window.game().world.GameOverState, 0);
    // The key is the game's, not the command box's own undo.
    QCOMPARE(session.Box()->text(), "guar");
    // The menu's entry goes back one more step.
    session.Menu("AnnullaMossa")->trigger();
    QVERIFY(session.Screen().contains("Ho annullato il comando «ACCENDI LA TORCIA»."));
    QVERIFY(session.Picture()->FileName() != picture);
  }

  // The menu's dialogs open in the player's folder and hand the chosen file to the game's
  // own save and load, which answer on the screen as the typed commands do.
  void TheMenusSaveAndLoadReachTheGame() {
    Session session;
    session.StartAndPlay();
    QList<std::pair<FileDialogPurpose, std::filesystem::path>> asked;
    std::optional<std::filesystem::path> answer = session.folder.path() / "menu.sav";
    session.window.SetFileChooser(
        [&](FileDialogPurpose purpose, const std::filesystem::path& folder) {
          asked.append({purpose, folder});
          return answer;
        });
    session.Menu("Salva")->trigger();
    QVERIFY(session.folder.Has("menu.sav"));
    QVERIFY(session.Screen().contains("Ho salvato nel file 'menu.sav'."));
    session.Type("accendi la torcia");
    const QString lit = session.Picture()->FileName();
    session.Menu("Carica")->trigger();
    QVERIFY(session.Screen().contains("Ho caricato nel file 'menu.sav'."));
    QVERIFY(session.Picture()->FileName() != lit);
    // A dialog closed without a choice leaves everything as it was.
    answer.reset();
    const QString before = session.Screen();
    session.Menu("Carica")->trigger();
    QCOMPARE(session.Screen(), before);
    QCOMPARE(asked.size(), 3);
    QCOMPARE(asked[0].first, FileDialogPurpose::Save);
    QCOMPARE(asked[1].first, FileDialogPurpose::Load);
    for (const auto& [purpose, folder] : asked) QCOMPARE(folder, session.folder.path());
  }

  void AGameClosedMidwayIsTakenUpFromTheMenu() {
    Session session;
    session.StartAndPlay();
    const auto offered = [](OutputWindow& window) {
      QMetaObject::invokeMethod(window.findChild<QMenu*>("Partita"), "aboutToShow");
      return window.findChild<QAction*>("Riprendi")->isVisible();
    };
    QVERIFY(!offered(session.window));
    session.Type("accendi la torcia");
    QVERIFY(session.window.close());

    OutputWindow again{session.folder.path()};
    again.Start();
    auto* box = again.findChild<QLineEdit*>("TextInput");
    while (box->text() == kHeldPage) QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(offered(again));
    again.findChild<QAction*>("Riprendi")->trigger();
    QCOMPARE(again.findChild<PicturePane*>("immagine")->FileName(), "009.pkd");
  }

  void TheTextGrowsWithTheWindow() {
    Session session;
    session.Settings("640\r\n420\r\n");
    session.window.Start();
    const int small = QFontInfo(session.Story()->font()).pixelSize();
    session.window.resize(800, 600);
    QCoreApplication::processEvents();
    QVERIFY(QFontInfo(session.Story()->font()).pixelSize() > small);
  }

  void TheStoredSizeIsRestoredWithinWhatTheScreenCanShow() {
    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    Session session;
    session.Settings("700\r\n500\r\n");
    session.StartAndPlay();
    QCOMPARE(session.window.size(), QSize(700, 500));
    // A new game takes the stored size again.
    session.window.resize(650, 450);
    session.window.game().world.GameOverState = 5;
    session.Type("ricominciare");
    QCOMPARE(session.window.size(), QSize(700, 500));
    session.Settings("100000\r\n100000\r\n");
    LoadWindowSettings(session.window.game());
    QCOMPARE(session.window.size(), screen);
    session.Settings("-5\r\n1\r\n");
    LoadWindowSettings(session.window.game());
    QVERIFY(session.window.width() >= 640 && session.window.height() >= 420);
  }

  void ClosingTheWindowWritesItsSize() {
    Session session;
    session.StartAndPlay();
    session.window.resize(720, 480);
    QVERIFY(session.window.close());
    QVERIFY(session.window.Ended());
    QCOMPARE(session.window.Problem(), "");
    QCOMPARE(session.folder.Read("iniziale.ini"), "720\r\n480\r\n");
  }

  void FinireAfterAnEndingLeavesTheStoredSizeAndTheEventLoop() {
    Session session;
    session.StartAndPlay();
    session.window.game().world.GameOverState = 5;
    const std::string stored = session.folder.Read("iniziale.ini");
    session.window.resize(720, 480);
    QTimer::singleShot(0, [&] { session.Type("FiNiRe"); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(2); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(session.window.Ended());
    QCOMPARE(session.window.Problem(), "");
    QCOMPARE(session.folder.Read("iniziale.ini"), stored);
    // Closing the window afterwards does not write it either.
    session.window.close();
    QCOMPARE(session.folder.Read("iniziale.ini"), stored);
  }

  void ARestartThatCannotReadTheDataEndsTheGameSayingWhy() {
    Session session;
    session.StartAndPlay();
    session.window.game().world.GameOverState = 5;
    const std::string stored = session.folder.Read("iniziale.ini");
    std::filesystem::remove(session.folder.path() / "000.pkd");
    session.Type("ricominciare");
    QVERIFY(session.window.Ended());
    QVERIFY(QString::fromStdString(session.window.Problem()).contains("000.pkd"));
    QCOMPARE(session.folder.Read("iniziale.ini"), stored);
  }
};

}  // namespace vortila

QTEST_MAIN(vortila::OutputWindowTest)
#include "output_window_test.moc"
