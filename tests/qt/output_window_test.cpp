#include "app/qt/output_window.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "app/qt/picture_pane.h"
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
  QList<QLabel*> Rows() { return window.findChildren<QLabel*>("Textlines"); }
  QString Row(int row) { return Rows().at(row)->text(); }
  // The row whose label shows `text`, or -1.
  int RowShowing(const QString& text) {
    for (int row = 0; row < Rows().size(); ++row) {
      if (Row(row) == text) return row;
    }
    return -1;
  }
  QString Screen() {
    QStringList texts;
    for (const QLabel* row : Rows()) texts << row->text();
    return texts.join('\n');
  }

  void Type(const QString& text) {
    QTest::keyClicks(Box(), text);
    PressEnter();
  }
  void PressEnter() { QTest::keyClick(Box(), Qt::Key_Return); }
  void StartAndPlay() {
    window.Start();
    while (Box()->text() == kHeldPage) PressEnter();
  }
  void Settings(std::string_view contents) { folder.Write("iniziale.ini", contents); }

  testing::TempFolder folder;
  OutputWindow window{folder.path()};
};

QString AccessibleText(QObject* object, QAccessible::Text kind) {
  return QAccessible::queryAccessibleInterface(object)->text(kind);
}

double Distance(const QColor& a, const QColor& b) {
  return std::abs(a.redF() - b.redF()) + std::abs(a.greenF() - b.greenF()) +
         std::abs(a.blueF() - b.blueF());
}

}  // namespace

class OutputWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheFirstPageShowsTheTitleAndHoldsTheRest() {
    Session session;
    session.window.Start();
    QCOMPARE(session.Rows().size(), kScreenRows);
    QVERIFY(session.Screen().contains("LA VORTILA"));
    QCOMPARE(session.Box()->text(), kHeldPage);
    // Whatever the player clicks, the keys go to the command box.
    QVERIFY(QTest::qWaitForWindowActive(&session.window));
    QTest::mouseClick(session.Rows().at(3), Qt::LeftButton);
    QTest::mouseClick(session.Picture(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), session.Box());
    QCOMPARE(session.Picture()->FileName(), "001.pkd");
    // The 64-character wrap lays out as columns only in a monospaced font.
    const QFontMetricsF metrics(session.Rows().at(24)->font());
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
  }

  void TheInventoryListsWhatIsCarriedOnceTheIntroductionEnds() {
    Session session;
    session.window.Start();
    QCOMPARE(session.Inventory()->text(), "");
    while (session.Box()->text() == kHeldPage) session.PressEnter();
    QCOMPARE(session.Inventory()->text(),
             "> la tuta spaziale*\n> il casco*\n> la torcia\n> la cassetta degli attrezzi\n> il gancio");
  }

  void TheOldestRowsFadeTowardsTheBackground() {
    Session session;
    session.window.Start();
    const QList<QLabel*> rows = session.Rows();
    // How far the darkest drawn pixel of a row stands from the background.
    const auto ink = [&](int row) {
      session.window.SetTextline(row, "MMMM");
      const QImage drawn = rows.at(row)->grab().toImage();
      const QColor background = rows.at(row)->palette().color(QPalette::Base);
      double farthest = 0;
      for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
          farthest = std::max(farthest, Distance(drawn.pixelColor(x, y), background));
        }
      }
      return farthest;
    };
    QVERIFY(ink(0) > 0);
    QVERIFY(ink(0) < ink(1));
    QVERIFY(ink(1) < ink(2));
    QCOMPARE(ink(24), ink(2));
  }

  void MarkupTypedByThePlayerIsShownAsTyped() {
    Session session;
    session.StartAndPlay();
    session.Type("<h1>ciao</h1><br>x");
    const int echo = session.RowShowing(" > <H1>CIAO</H1><BR>X");
    QVERIFY(echo > 0);
    QCOMPARE(session.Rows().at(echo)->sizeHint().height(),
             session.Rows().at(echo - 1)->sizeHint().height());
  }

  void ScreenReadersReadTheRowsTheInventoryAndThePicture() {
    Session session;
    session.StartAndPlay();
    session.Type("esamina il gancio");
    QLabel* bottom = session.Rows().at(24);
    QVERIFY(AccessibleText(bottom, QAccessible::Name).endsWith("raggiunto la vortila."));
    QCOMPARE(AccessibleText(bottom, QAccessible::Description), "Riga 25 di 25");
    QVERIFY(AccessibleText(session.Inventory(), QAccessible::Name).contains("il casco"));
    QCOMPARE(AccessibleText(session.Picture(), QAccessible::Name), "Immagine 007.pkd");
  }

  void TheTextGrowsWithTheWindow() {
    Session session;
    session.Settings("640\r\n420\r\n");
    session.window.Start();
    const int small = QFontInfo(session.Rows().at(24)->font()).pixelSize();
    session.window.resize(800, 600);
    QCoreApplication::processEvents();
    QVERIFY(QFontInfo(session.Rows().at(24)->font()).pixelSize() > small);
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
