// Recovery copies through the real program in child processes: this test binary runs itself
// again as the program (RecoveryChild.DISABLED_Run starts it as main() does), draws, waits
// for the copy, is killed with SIGKILL, and is started again with the same XDG_STATE_HOME to
// answer the offer. Each child writes a report: what it was offered, what it shows, and its
// picture as a BMP file (which keeps the pixel format and palette).
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "app/app_recovery.h"
#include "app/form1.h"
#include "app/startup.h"
#include "document/bmp_file.h"
#include "draw/tool_table.h"
#include "recovery/ui/recovery_offer.h"
#include "recovery/ui/recovery_scheduler.h"

namespace {

// ---- the child: the program as main() starts it, driven by ZUDOZO_CHILD_* -------------------

QString childSetting(const char* name) { return qEnvironmentVariable(name); }

struct TChildReport {
  int offers = 0;
  int warnings = 0;
  QString warningText;
  QString fileAtOffer;  // the document's file name while the first offer was shown
};

void writeReport(const QString& path, const TZudozoApp& app, const TChildReport& report, const QString& state) {
  std::ofstream out(path.toStdString() + ".part");
  out << "offers " << report.offers << "\nwarnings " << report.warnings << "\nwarningText "
      << report.warningText.simplified().toStdString() << "\nfileAtOffer " << report.fileAtOffer.toStdString()
      << "\nfile " << const_cast<TZudozoApp&>(app).Document().FileName << "\ncaption "
      << app.Form1().windowTitle().toStdString() << "\nstate " << state.toStdString() << "\n";
  out.close();
  SaveBmpFile(const_cast<TZudozoApp&>(app).Document().Picture(), path.toStdString() + ".bmp");
  QFile::rename(path + ".part", path);
}

// Answers every offer with ZUDOZO_CHILD_ANSWER (restore by Return, the default button;
// discard and later by their buttons) and every warning by its button.
void answerModals(TZudozoApp& app, TChildReport& report, QObject* owner) {
  auto* timer = new QTimer(owner);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [&app, &report] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (auto* offer = qobject_cast<QDialog*>(modal); offer && offer->objectName() == QStringLiteral("RecoveryOffer")) {
      if (report.offers++ == 0) report.fileAtOffer = QString::fromStdString(app.Document().FileName);
      const QString answer = childSetting("ZUDOZO_CHILD_ANSWER");
      if (answer == QStringLiteral("restore"))
        QTest::keyClick(offer, Qt::Key_Return);
      else
        offer->findChild<QPushButton*>(answer == QStringLiteral("discard") ? QStringLiteral("discardButton")
                                                                            : QStringLiteral("laterButton"))
            ->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      ++report.warnings;
      report.warningText = box->text();
      box->buttons().first()->click();
    }
  });
  timer->start();
}

void drawLine(TForm1& form1) {
  const auto mouse = [&form1](TCanvasMouse::Kind kind, int x, int y) {
    TCanvasMouse m;
    m.kind = kind;
    m.Button = 0;
    m.X = x;
    m.Y = y;
    emit form1.ImageMouse(m);
  };
  form1.dtExecute(kToolLine);
  mouse(TCanvasMouse::Down, 3, 4);
  mouse(TCanvasMouse::Up, 3, 4);
  mouse(TCanvasMouse::Move, 40, 30);
  mouse(TCanvasMouse::Down, 50, 41);
  mouse(TCanvasMouse::Up, 50, 41);
}

// The child's script once the offers are answered: draw and wait for the copy, save (F3), then
// report "ready" and wait to be killed, or close the window with Shift+Esc after reporting
// ("closed").
void runScript(TZudozoApp& app, TAppRecovery* recovery, TChildReport& report) {
  const QString reportPath = childSetting("ZUDOZO_CHILD_REPORT");
  if (childSetting("ZUDOZO_CHILD_DRAW") == QStringLiteral("1") && recovery) {
    drawLine(app.Form1());
    const std::string copy = recovery->Scheduler().Path();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(copy)), 20000);
  }
  if (childSetting("ZUDOZO_CHILD_SAVE") == QStringLiteral("1")) {
    app.Form1().Asave()->trigger();
    if (recovery) recovery->Scheduler().Writer().WaitIdle();
  }
  if (childSetting("ZUDOZO_CHILD_END") == QStringLiteral("close")) {
    writeReport(reportPath + ".before", app, report, QStringLiteral("open"));
    app.Form1().AcloseExecute();
    writeReport(reportPath, app, report, QStringLiteral("closed"));
    return;
  }
  writeReport(reportPath, app, report, QStringLiteral("ready"));
}

TEST(RecoveryChild, DISABLED_Run) {
  QStringList arguments = childSetting("ZUDOZO_CHILD_ARGS").split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  const bool keep = TakeRecoverySwitch(arguments);
  TZudozoApp app(arguments);
  QEventLoop loop;
  QObject::connect(&app.Form1(), &TForm1::Closed, &loop, &QEventLoop::quit);
  app.ShowMainWindow();
  const std::unique_ptr<TAppRecovery> recovery = keep ? TAppRecovery::Start(app) : nullptr;
  TChildReport report;
  QObject owner;
  answerModals(app, report, &owner);
  // The offers run from the first turn of the event loop, one modal window after the other;
  // timers still fire between one offer's answer and the next, so the script waits until the
  // offering is over.
  QTimer script;
  script.setInterval(20);
  QObject::connect(&script, &QTimer::timeout, [&] {
    if (QApplication::activeModalWidget() || (recovery && !recovery->OffersAnswered())) return;
    script.stop();
    runScript(app, recovery.get(), report);
    if (childSetting("ZUDOZO_CHILD_END") == QStringLiteral("close")) loop.quit();
  });
  script.start();
  loop.exec();
}

// ---- the parent ---------------------------------------------------------------------------

class RecoveryJourney : public ::testing::Test {
 protected:
  struct TChild {
    std::unique_ptr<QProcess> process;
    QString report;
  };

  // Starts the program; settings are ZUDOZO_CHILD_* values (ARGS, ANSWER, DRAW, END).
  TChild Start(const std::map<QString, QString>& settings) {
    TChild child;
    child.report = dir_.filePath(QStringLiteral("report%1").arg(++children_));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_STATE_HOME"), state());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("ZUDOZO_NO_RECOVERY"));
    env.insert(QStringLiteral("ZUDOZO_CHILD_REPORT"), child.report);
    for (const auto& [name, value] : settings) env.insert(QStringLiteral("ZUDOZO_CHILD_") + name, value);
    child.process = std::make_unique<QProcess>();
    child.process->setProcessEnvironment(env);
    child.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.process->start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--gtest_filter=RecoveryChild.DISABLED_Run"),
                          QStringLiteral("--gtest_also_run_disabled_tests")});
    EXPECT_TRUE(child.process->waitForStarted());
    return child;
  }

  // The child's report once it is written (it then waits to be killed, or has closed).
  std::map<std::string, std::string> Report(TChild& child) {
    for (int i = 0; i < 600 && !QFile::exists(child.report); ++i) {
      if (child.process->state() == QProcess::NotRunning && !QFile::exists(child.report)) break;
      QTest::qWait(50);
    }
    std::map<std::string, std::string> values;
    std::ifstream in(child.report.toStdString());
    std::string key, value;
    while (in >> key && std::getline(in, value)) values[key] = value.empty() ? value : value.substr(1);
    EXPECT_FALSE(values.empty()) << "no report from the child";
    return values;
  }

  static void Kill(TChild& child) {
    child.process->kill();  // SIGKILL: nothing of the program runs any more
    child.process->waitForFinished();
  }
  // Waits for a child that closes its window; it must end of itself, normally.
  static void Finish(TChild& child) {
    if (child.process->state() != QProcess::NotRunning) {
      EXPECT_TRUE(child.process->waitForFinished(20000));
    }
    EXPECT_EQ(child.process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.process->exitCode(), 0);
  }

  QString state() const { return dir_.filePath(QStringLiteral("state")); }
  QString folder() const { return state() + QStringLiteral("/zudozo/recovery"); }
  QStringList Files() const { return QDir(folder()).entryList(QDir::Files, QDir::Name); }
  QStringList Copies() const { return QDir(folder()).entryList({QStringLiteral("*.recovery")}, QDir::Files); }

  // An 8-bit picture with a palette of its own, as a file the program opens.
  QString IndexedPicture() {
    TBitmap picture(64, 48, pf8bit);
    std::vector<TColor> colors;
    for (int i = 0; i < 256; ++i) colors.push_back(RGB(std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)));
    picture.SetPalette(TPalette(colors));
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) picture.SetRaw(x, y, std::uint32_t((x * 3 + y) % 256));
    const QString path = dir_.filePath(QStringLiteral("indexed.bmp"));
    SaveBmpFile(picture, path.toStdString());
    return path;
  }

  // Pixels whose stored values differ; -1 when size, pixel format or palette differ.
  static int DifferentPixels(const QString& aPath, const QString& bPath) {
    TBitmap a, b;
    LoadBmpFile(aPath.toStdString(), a);
    LoadBmpFile(bPath.toStdString(), b);
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat() ||
        !(a.Palette() == b.Palette()))
      return -1;
    int different = 0;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) different += a.GetRaw(x, y) != b.GetRaw(x, y);
    return different;
  }

  QTemporaryDir dir_;
  int children_ = 0;
};

// Draw, killed; restarted with another picture on the command line: that picture is open when
// the offer comes; Return restores the drawing with its format, palette and file name; Save
// writes it there and removes the copy.
TEST_F(RecoveryJourney, KilledThenRestoredByReturnAndSaved) {
  const QString indexed = IndexedPicture();
  TChild drawer = Start({{"ARGS", indexed}, {"DRAW", "1"}});
  auto drawn = Report(drawer);
  Kill(drawer);
  EXPECT_EQ(drawn["state"], "ready");
  EXPECT_EQ(Copies().size(), 1);
  EXPECT_GT(DifferentPixels(indexed, drawer.report + ".bmp"), 0) << "the line was drawn";

  const QString other = dir_.filePath(QStringLiteral("other.bmp"));
  SaveBmpFile(TBitmap(30, 20, pf24bit), other.toStdString());
  TChild restorer = Start({{"ARGS", other}, {"ANSWER", "restore"}, {"SAVE", "1"}});
  auto restored = Report(restorer);
  EXPECT_EQ(restored["offers"], "1");
  EXPECT_EQ(restored["fileAtOffer"], other.toStdString());
  EXPECT_EQ(restored["file"], indexed.toStdString());
  EXPECT_NE(restored["caption"].find("indexed.bmp"), std::string::npos) << restored["caption"];
  EXPECT_EQ(DifferentPixels(drawer.report + ".bmp", restorer.report + ".bmp"), 0);
  EXPECT_EQ(DifferentPixels(drawer.report + ".bmp", indexed), 0) << "saved where it belongs, 8 bits with its palette";
  EXPECT_EQ(Files(), QStringList{}) << "a saved picture has no copy";
  Kill(restorer);

  TChild next = Start({{"ANSWER", "restore"}, {"END", "close"}});
  EXPECT_EQ(Report(next)["offers"], "0");
  Finish(next);
}

// A clean exit leaves no copy; 後で keeps one for the next start, --no-recovery offers nothing and opens no picture
// of that name, 破棄 removes it, and a program that only looked leaves nothing.
TEST_F(RecoveryJourney, LaterKeepsDiscardRemoves) {
  TChild closed = Start({{"DRAW", "1"}, {"END", "close"}});
  EXPECT_EQ(Report(closed)["state"], "closed");
  Finish(closed);
  EXPECT_EQ(Files(), QStringList{}) << "a clean exit leaves no copy";

  TChild drawer = Start({{"DRAW", "1"}});
  Report(drawer);
  Kill(drawer);
  const QStringList left = Copies();
  ASSERT_EQ(left.size(), 1);

  TChild later = Start({{"ANSWER", "later"}, {"END", "close"}});
  EXPECT_EQ(Report(later)["offers"], "1");
  Finish(later);
  EXPECT_EQ(Copies(), left);

  TChild switchedOff = Start({{"ARGS", "--no-recovery"}, {"ANSWER", "restore"}, {"END", "close"}});
  auto off = Report(switchedOff);
  Finish(switchedOff);
  EXPECT_EQ(off["offers"], "0");
  EXPECT_EQ(off["file"], "");
  EXPECT_EQ(Copies(), left);

  TChild discard = Start({{"ANSWER", "discard"}, {"END", "close"}});
  EXPECT_EQ(Report(discard)["offers"], "1");
  Finish(discard);
  EXPECT_EQ(Files(), QStringList{});

  TChild none = Start({{"ANSWER", "restore"}, {"END", "close"}});
  EXPECT_EQ(Report(none)["offers"], "0");
  Finish(none);
}

// Two programs at once keep a copy each and do not offer each other's; once both are killed,
// the next start offers both.
TEST_F(RecoveryJourney, TwoProgramsAtOnce) {
  TChild first = Start({{"DRAW", "1"}});
  EXPECT_EQ(Report(first)["offers"], "0");
  TChild second = Start({{"DRAW", "1"}, {"ANSWER", "restore"}});
  EXPECT_EQ(Report(second)["offers"], "0") << "a running program's copy is not offered";
  EXPECT_EQ(Copies().size(), 2);
  Kill(first);
  Kill(second);

  TChild next = Start({{"ANSWER", "later"}, {"END", "close"}});
  EXPECT_EQ(Report(next)["offers"], "2");
  Finish(next);
  EXPECT_EQ(Copies().size(), 2);
}

// A copy cut short is reported, set aside as ".bad" and never opened.
TEST_F(RecoveryJourney, TruncatedCopyIsSetAside) {
  TChild drawer = Start({{"DRAW", "1"}});
  Report(drawer);
  Kill(drawer);
  ASSERT_EQ(Copies().size(), 1);
  const QString copy = folder() + QLatin1Char('/') + Copies().first();
  QFile file(copy);
  ASSERT_TRUE(file.resize(file.size() / 2));

  TChild next = Start({{"ANSWER", "restore"}, {"END", "close"}});
  auto report = Report(next);
  Finish(next);
  EXPECT_EQ(report["warnings"], "1");
  EXPECT_EQ(report["offers"], "0");
  EXPECT_NE(report["warningText"].find(".bad"), std::string::npos) << report["warningText"];
  EXPECT_EQ(report["file"], "");
  EXPECT_EQ(Files(), QStringList{QFileInfo(copy).fileName() + QStringLiteral(".bad")});
}

}  // namespace
