// The whole-picture copy and paste against a second program on a real X display (xclip).
// Runs only on the xcb platform; tests/e2e/desktop_clipboard.sh starts it under Xvfb.
#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/startup.h"
#include "document/picture_loader.h"
#include "png/png_test_writer.h"
#include "png/viraviz.h"

namespace {

class DesktopClipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display";
    app_ = std::make_unique<TZudozoApp>(QStringList{});
    app_->ShowMainWindow();
  }

  // Runs xclip with the event loop turning, so that this program can answer its requests.
  QByteArray Xclip(const QStringList& args, const QByteArray& input = {}) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} + args);
    EXPECT_TRUE(xclip.waitForStarted());
    if (!input.isEmpty()) xclip.write(input);
    xclip.closeWriteChannel();
    for (int i = 0; i < 1000 && xclip.state() != QProcess::NotRunning; ++i) QTest::qWait(10);
    EXPECT_EQ(xclip.exitCode(), 0) << xclip.readAllStandardError().toStdString();
    // A new owner of the clipboard is announced by an event: let it arrive.
    if (!input.isEmpty()) QTest::qWait(200);
    return xclip.readAllStandardOutput();
  }

  TBitmap& picture() { return app_->Document().Picture(); }
  std::unique_ptr<TZudozoApp> app_;
};

TEST_F(DesktopClipboard, APictureCopiedHerePastesElsewhereAndBack) {
  app_->Document().ReplaceWithNewPicture(120, 80, pf32bit);
  picture().SetPixel(7, 9, RGB(10, 200, 30));
  app_->Form1().Mcopy->trigger();

  ASSERT_TRUE(Xclip({QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")}).contains("image/png"));
  const QByteArray png = Xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o")});
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
  Xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i")}, png.readAll());
  app_->Form1().MPaste->trigger();
  ASSERT_EQ(picture().Width(), expected.Width());
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) ASSERT_EQ(picture().GetPixel(x, y), expected.GetPixel(x, y));

  Xclip({QStringLiteral("-i")}, QByteArray("ABC"));
  app_->Form1().dtExecute(2);
  const TBitmap& buffer = app_->Document().PasteBuffer();
  EXPECT_GT(buffer.Width(), 10);
  EXPECT_LT(buffer.Width(), 60);
}

// Another program's picture too large to hold: one message at the first tool choice, none at
// the next ones; text copied there and then the picture again bring one more.
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
    for (const int tool : {2, 5, 1, 3, 4}) form1.ToolActions[tool - 1]->trigger();
  };
  Xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i")}, huge);
  chooseTools();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(form1.ToolNumber, 4);
  Xclip({QStringLiteral("-i")}, QByteArray("ABC"));
  chooseTools();
  EXPECT_EQ(boxes, 1);
  Xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i")}, huge);
  chooseTools();
  EXPECT_EQ(boxes, 2);
}

}  // namespace
