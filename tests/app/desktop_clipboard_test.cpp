// The whole-picture copy and paste against a second program on a real desktop: xclip on an X
// display, wl-copy and wl-paste under a Wayland compositor. Runs only on the xcb and wayland
// platforms; tests/e2e/desktop_clipboard.sh and wayland_session.sh start them.
#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/startup.h"
#include "document/picture_loader.h"
#include "draw/tool_table.h"
#include "png/png_test_writer.h"
#include "png/viraviz.h"

namespace {

// The other program's commands for each use of the clipboard, on one kind of desktop.
struct ClipboardTool {
  const char* platform;
  QStringList listTypes, readPng, writePng, writeText;
  // A key press the program takes as a user's: Wayland lets a program set the clipboard only
  // in answer to input, and a command started by the test itself is none.
  QStringList userInput;
};

const ClipboardTool kTools[] = {
    {"xcb",
     {"xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"},
     {"xclip", "-selection", "clipboard", "-t", "image/png", "-o"},
     {"xclip", "-selection", "clipboard", "-t", "image/png", "-i"},
     {"xclip", "-selection", "clipboard", "-i"},
     {}},
    {"wayland",
     {"wl-paste", "--list-types"},
     {"wl-paste", "--no-newline", "--type", "image/png"},
     {"wl-copy", "--type", "image/png"},
     {"wl-copy", "--type", "text/plain;charset=utf-8"},
     {"xdotool", "key", "shift"}},
};

class DesktopClipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const ClipboardTool& tool : kTools)
      if (QGuiApplication::platformName() == QLatin1String(tool.platform)) tool_ = &tool;
    if (!tool_) GTEST_SKIP() << "needs an X display or a Wayland compositor";
    app_ = std::make_unique<TZudozoApp>(QStringList{});
    app_->ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app_->Form1()));
  }

  // Runs the other program with the event loop turning, so that this program can answer its
  // requests.
  // With input, the other program puts it on the clipboard as offered.
  QByteArray Run(const QStringList& command, const QByteArray& input = {}, const QString& offered = {}) {
    QProcess other;
    other.start(command.first(), command.mid(1));
    EXPECT_TRUE(other.waitForStarted());
    if (!input.isEmpty()) other.write(input);
    other.closeWriteChannel();
    for (int i = 0; i < 1000 && other.state() != QProcess::NotRunning; ++i) QTest::qWait(10);
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();
    // A new owner of the clipboard is announced by an event (under Wayland only once this
    // program has the keyboard back, and its first offer may still send nothing): wait for
    // its data.
    if (!input.isEmpty()) {
      EXPECT_TRUE(QTest::qWaitFor([&offered] {
        QClipboard* clipboard = QGuiApplication::clipboard();
        const QMimeData* mime = clipboard->mimeData();
        return !clipboard->ownsClipboard() && mime && !mime->data(offered).isEmpty();
      }, 5000)) << offered.toStdString();
    }
    return other.readAllStandardOutput();
  }

  TBitmap& picture() { return app_->Document().Picture(); }
  const ClipboardTool* tool_ = nullptr;
  std::unique_ptr<TZudozoApp> app_;
};

TEST_F(DesktopClipboard, APictureCopiedHerePastesElsewhereAndBack) {
  app_->Document().ReplaceWithNewPicture(120, 80, pf32bit);
  picture().SetPixel(7, 9, RGB(10, 200, 30));
  if (!tool_->userInput.isEmpty()) Run(tool_->userInput);
  app_->Form1().Mcopy()->trigger();

  ASSERT_TRUE(Run(tool_->listTypes).contains("image/png"));
  const QByteArray png = Run(tool_->readPng);
  VIRAVIZ out;
  out.LoadFromStream(reinterpret_cast<const std::uint8_t*>(png.constData()), std::size_t(png.size()));
  TBitmap taken;
  out.AssignTo(taken);
  ASSERT_EQ(taken.Width(), 120);
  ASSERT_EQ(taken.Height(), 80);
  EXPECT_EQ(taken.GetPixel(7, 9), RGB(10, 200, 30));
  EXPECT_EQ(taken.GetPixel(8, 9), clWhite);
}

TEST_F(DesktopClipboard, PicturesAndTextCopiedElsewherePasteHere) {
  const std::string file = ZUDOZO_TESTDATA "/pngsuite/basn2c08.png";
  TBitmap expected;
  LoadPicture(file, expected);
  QFile png(QString::fromStdString(file));
  ASSERT_TRUE(png.open(QIODevice::ReadOnly));
  Run(tool_->writePng, png.readAll(), QStringLiteral("image/png"));
  // A paste that fails shows its message in a box; the box is read and closed.
  QString error;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&error] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      for (QLabel* label : box->findChildren<QLabel*>()) error += label->text();
      box->close();
    }
  });
  watch.start(20);
  app_->Form1().MPaste()->trigger();
  EXPECT_EQ(error, QString());
  ASSERT_EQ(picture().Width(), expected.Width());
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) ASSERT_EQ(picture().GetPixel(x, y), expected.GetPixel(x, y));

  Run(tool_->writeText, QByteArray("ABC"), QStringLiteral("text/plain"));
  app_->Form1().dtExecute(kToolPaste);
  const TBitmap& buffer = app_->Document().PasteBuffer();
  EXPECT_GT(buffer.Width(), 10);
  EXPECT_LT(buffer.Width(), 60);
}

// Another program's picture too large to hold: one message at the first choice of a paste tool,
// none at the next ones nor at the other tools; text copied there and then the picture again
// bring one more.
TEST_F(DesktopClipboard, APictureTooLargeFromElsewhereIsReportedOnce) {
  PngBytes png = PngSignature();
  PutChunk(png, "IHDR", IhdrData(20000, 20000, 8, 2));
  PutChunk(png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  PutChunk(png, "IEND", {});
  const QByteArray huge(reinterpret_cast<const char*>(png.data()), qsizetype(png.size()));
  int boxes = 0;
  QTimer closer;
  closer.setInterval(2);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    ++boxes;
    box->close();
  });
  closer.start();
  TForm1& form1 = app_->Form1();
  auto chooseTools = [&] {
    for (const int tool : {kToolLine, kToolPaste, kToolFreehand, kToolAngledPaste, kToolTriangle})
      form1.ToolActions[tool - 1]->trigger();
  };
  Run(tool_->writePng, huge, QStringLiteral("image/png"));
  chooseTools();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(form1.ToolNumber(), 4);
  Run(tool_->writeText, QByteArray("ABC"), QStringLiteral("text/plain"));
  chooseTools();
  EXPECT_EQ(boxes, 1);
  Run(tool_->writePng, huge, QStringLiteral("image/png"));
  chooseTools();
  EXPECT_EQ(boxes, 2);
}

// A long text left on the clipboard by another program: the start neither stops nor waits on it
// (no box, the caption set, the picture untouched); the paste tool takes it when chosen.
TEST(DesktopClipboardAtStart, ALongTextElsewhereNeitherStopsNorDelaysTheStart) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display";
  QProcess other;
  other.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
  ASSERT_TRUE(other.waitForStarted());
  other.write(QString(6000, QChar(0x3042)).toUtf8() + "\n");
  other.closeWriteChannel();
  ASSERT_TRUE(other.waitForFinished(10000));
  ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->text().size() > 6000; }, 5000));

  QStringList boxes;
  QTimer closer;
  closer.setInterval(5);
  QObject::connect(&closer, &QTimer::timeout, [&boxes] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    boxes << box->text();
    box->close();
  });
  closer.start();
  TZudozoApp app(QStringList{});
  app.ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.Form1()));
  EXPECT_EQ(boxes, QStringList());
  EXPECT_EQ(app.Form1().windowTitle(), QStringLiteral("Zudozo  :32bit"));
  EXPECT_TRUE(app.Document().PasteBuffer().Empty());
  // Drawing and other tools do not touch it either.
  for (const int tool : {kToolLine, kToolText, kToolFreehand}) app.Form1().ToolActions[tool - 1]->trigger();
  EXPECT_EQ(boxes, QStringList());
  EXPECT_TRUE(app.Document().PasteBuffer().Empty());
  app.Form1().ToolActions[kToolPaste - 1]->trigger();
  EXPECT_FALSE(app.Document().PasteBuffer().Empty() && boxes.isEmpty()) << "the paste tool reads the text";
  app.Form1().hide();
}

}  // namespace
