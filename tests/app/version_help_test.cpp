#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>

#include "app/help_window.h"
#include "app/version_form.h"
#include "app_fixture.h"

namespace {

TEST_F(AppTest, VersionWindowJokesOnTheAuthorAndClosesOnAKey) {
  TForm5& version = app().Form5();
  EXPECT_EQ(version.size(), QSize(200, 222));
  EXPECT_TRUE(version.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(version.Label3->text(), QStringLiteral("ver 4.34"));
  EXPECT_EQ(version.Label3->pos(), QPoint(109, 142));
  EXPECT_EQ(version.vermage->pixmap().size(), QSize(200, 200));

  QString message;
  int buttons = -1;
  bool stayedOpen = false;
  AnswerModal([&](QWidget* modal) {
    ASSERT_EQ(modal, &version);
    AnswerModal([&](QWidget* box) {
      for (QLabel* label : box->findChildren<QLabel*>())
        if (!label->text().isEmpty()) message = label->text();
      buttons = int(box->findChildren<QPushButton*>().size());
      box->close();  // only the close box ends it
      QTimer::singleShot(0, [&] {
        stayedOpen = version.isVisible();
        QTest::keyClick(&version, Qt::Key_Q);
      });
    });
    QTest::mouseClick(version.StaticText1, Qt::LeftButton);
  });
  form1().Mversion()->trigger();
  EXPECT_EQ(message, QStringLiteral("あなたは今不正な処理を行いました"));
  EXPECT_EQ(buttons, 0);
  EXPECT_TRUE(stayedOpen);
  EXPECT_FALSE(version.isVisible());

  // A click on the picture closes it too.
  AnswerModal([&](QWidget*) { QTest::mouseClick(version.vermage, Qt::LeftButton, {}, QPoint(20, 20)); });
  form1().Mversion()->trigger();
  EXPECT_FALSE(version.isVisible());
}

TEST_F(AppTest, HelpShowsTheContentsAndTheToolbarKeyword) {
  form1().MContents()->trigger();
  THelpWindow& help = app().HelpWindow();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/index.html"));
  EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("目次")));

  form1().tbarhelp()->actions().first()->trigger();
  EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/toolbar.html"));
  EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("始点ロック")));

  help.ShowKeyword(QStringLiteral("まだない言葉"));
  EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/index.html"));

  // Every page of the contents is reachable by its keywords, and its pictures are there.
  const struct {
    const char* keyword;
    const char* page;
  } pages[] = {{"rir", "fractal"}, {"ツールパレット", "palette"}, {"拡大図", "zoom"},
               {"スポイト", "tools"},  {"範囲", "edit"},             {"保存", "files"}, {"キーボード", "keys"}};
  for (const auto& p : pages) {
    help.ShowKeyword(QString::fromUtf8(p.keyword));
    EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/%1.html").arg(QLatin1String(p.page)));
  }
  for (const char* picture : {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm7", "TNewBMPForm"})
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/windows/%1.png").arg(QLatin1String(picture)))) << picture;
}

}  // namespace
