#include "language/ui/translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <stdexcept>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/help_window.h"
#include "document/picture_loader.h"
#include "language/ui/japanese_text.h"
#include "language/ui/translation_file.h"
#include "surface/bitmap.h"
#include "widgets/error_guard.h"

namespace {

QString CancelButtonText() {
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(Translations, EnglishIsInstalledForAsLongAsItLivesThenTheProgramsOwnTextsReturn) {
  const QString ownCancel = CancelButtonText();
  for (int round = 0; round < 2; ++round) {
    {
      const TTranslations english(TUiLanguage::English);
      EXPECT_EQ(english.Language(), TUiLanguage::English);
      EXPECT_EQ(SpokenUiLanguage(), TUiLanguage::English);
      EXPECT_EQ(QCoreApplication::translate("THelpWindow", "Zudozo ヘルプ"), QStringLiteral("Zudozo Help"));
      EXPECT_EQ(CancelButtonText(), QStringLiteral("Cancel"));
      EXPECT_EQ(HelpPagesFolder(), QStringLiteral(":/help/en"));
    }
    EXPECT_EQ(SpokenUiLanguage(), TUiLanguage::Japanese);
    EXPECT_EQ(QCoreApplication::translate("THelpWindow", "Zudozo ヘルプ"), QStringLiteral("Zudozo ヘルプ"));
    EXPECT_EQ(CancelButtonText(), ownCancel);
    EXPECT_EQ(HelpPagesFolder(), QStringLiteral(":/help"));
  }
}

TEST(Translations, EveryTextHasAFinishedEnglishTranslationWithTheSamePlaceholders) {
  static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
  const auto placeholders = [](const QString& text) {
    QStringList found;
    for (auto m = placeholder.globalMatch(text); m.hasNext();) found << m.next().captured();
    found.sort();
    return found;
  };
  const std::vector<TTranslatedText> texts = EnglishTranslationFile();
  for (const TTranslatedText& text : texts) {
    const std::string where = (text.context + QStringLiteral(": ") + text.source).toStdString();
    EXPECT_TRUE(text.finished) << where;
    EXPECT_FALSE(text.translation.isEmpty()) << where;
    EXPECT_FALSE(HasJapanese(text.translation)) << where;
    EXPECT_EQ(placeholders(text.translation), placeholders(text.source)) << where;
  }
  EXPECT_GT(texts.size(), 100u);
}

TEST(Translations, JapaneseBringsQtsOwnButtonsInJapanese) {
  const TTranslations japanese(TUiLanguage::Japanese);
  EXPECT_EQ(japanese.Language(), TUiLanguage::Japanese);
  EXPECT_EQ(CancelButtonText(), QStringLiteral("キャンセル"));
  EXPECT_EQ(QCoreApplication::translate("THelpWindow", "Zudozo ヘルプ"), QStringLiteral("Zudozo ヘルプ"));
}

TEST(Translations, AMissingOrDamagedTranslationLeavesJapaneseSilently) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile good(QStringLiteral(":/i18n/zudozo_en.qm"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QByteArray bytes = good.readAll();
  struct Case {
    const char* name;
    QByteArray contents;  // empty name: no file at all
  };
  const Case cases[] = {
      {"missing", {}},
      {"empty", QByteArray()},
      {"garbage", QByteArray(600, 'x')},
      {"cut short", bytes.left(bytes.size() / 2)},
  };
  for (const Case& c : cases) {
    const QString folder = dir.filePath(QString::fromLatin1(c.name));
    ASSERT_TRUE(QDir().mkpath(folder));
    if (QByteArray(c.name) != "missing") {
      QFile file(folder + QStringLiteral("/zudozo_en.qm"));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(c.contents);
    }
    const TTranslations fallback(TUiLanguage::English, folder);
    EXPECT_EQ(fallback.Language(), TUiLanguage::Japanese) << c.name;
    EXPECT_EQ(CancelButtonText(), QStringLiteral("キャンセル")) << c.name;
    EXPECT_EQ(HelpPagesFolder(), QStringLiteral(":/help")) << c.name;
  }
}

TEST(Translations, EveryHelpPageHasAnEnglishTwinWithTheSameKeywordsAndNoJapaneseShown) {
  const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}, QDir::Files);
  ASSERT_GE(pages.size(), 10);
  EXPECT_EQ(QDir(QStringLiteral(":/help/en")).entryList({QStringLiteral("*.html")}, QDir::Files), pages);
  static const QRegularExpression keywords(QStringLiteral("<meta name=\"keywords\" content=\"[^\"]*\">"));
  static const QRegularExpression links(QStringLiteral("(href|src)=\"[^\"]*\""));
  for (const QString& page : pages) {
    QFile japanese(QStringLiteral(":/help/") + page), english(QStringLiteral(":/help/en/") + page);
    ASSERT_TRUE(japanese.open(QIODevice::ReadOnly) && english.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString ja = QString::fromUtf8(japanese.readAll()), en = QString::fromUtf8(english.readAll());
    EXPECT_EQ(keywords.match(en).captured(), keywords.match(ja).captured()) << page.toStdString();
    QTextBrowser browser;
    browser.setHtml(en);
    EXPECT_FALSE(HasJapanese(browser.toPlainText() + browser.documentTitle())) << page.toStdString();
    // The same links and pictures, the pictures those of the English windows.
    QStringList jaLinks, enLinks;
    for (auto m = links.globalMatch(ja); m.hasNext();) jaLinks << m.next().captured().replace(QStringLiteral("\"windows/"), QStringLiteral("\"../windows/en/"));
    for (auto m = links.globalMatch(en); m.hasNext();) enLinks << m.next().captured();
    EXPECT_EQ(enLinks, jaLinks) << page.toStdString();
  }
}

TEST(Translations, TheHelpWindowShowsThePagesOfTheSpokenLanguageByKeyword) {
  struct Case {
    TUiLanguage language;
    const char* title;
    const char* zoomTitle;
    const char* fallbackTitle;
  };
  const Case cases[] = {
      {TUiLanguage::English, "Zudozo Help", "Zoom window", "Zudozo Help Contents"},
      {TUiLanguage::Japanese, "Zudozo ヘルプ", "拡大図", "Zudozo ヘルプ 目次"},
      {TUiLanguage::English, "Zudozo Help", "Zoom window", "Zudozo Help Contents"},
  };
  for (const Case& c : cases) {
    const TTranslations translations(c.language);
    THelpWindow help;
    EXPECT_EQ(help.windowTitle(), QString::fromUtf8(c.title));
    help.ShowKeyword(QStringLiteral("拡大図"));
    EXPECT_EQ(help.Browser()->documentTitle(), QString::fromUtf8(c.zoomTitle));
    help.ShowKeyword(QStringLiteral("no such keyword"));
    EXPECT_EQ(help.Browser()->documentTitle(), QString::fromUtf8(c.fallbackTitle));
    help.close();
  }
}

}  // namespace

// Run under the environments of ui_language_* in the test list: Qt's reading of the desktop's
// language agrees with the program's own reading of the environment (which --help uses).
TEST(Translations, QtAndTheEnvironmentNameTheSameLanguage) {
  const TUiLanguage fromEnvironment = ChooseUiLanguage(PreferredLanguagesFromEnvironment(&std::getenv));
  EXPECT_EQ(DesktopUiLanguage(), fromEnvironment);
  const char* expected = std::getenv("ZUDOZO_EXPECTED_LANGUAGE");
  if (expected) {
    EXPECT_EQ(fromEnvironment == TUiLanguage::English ? "en" : "ja", std::string(expected));
  }
}

namespace {

// The text of the error box a failing command shows.
QString ErrorBoxText(const std::function<void()>& command) {
  QString text;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->close();
    }
  });
  EXPECT_FALSE(RunGuarded(nullptr, command));
  return text;
}

TEST(Translations, TheCoresErrorsAreShownInTheSpokenLanguageWithTheirFileNamesAndNumbers) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const auto write = [&](const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName().toStdString();
  };
  const std::string brokenBmp = write("broken.bmp", "BM not really");
  const std::string shortTga = write("short.tga", QByteArray(5, '\0'));
  const std::string missing = dir.filePath(QStringLiteral("missing.png")).toStdString();
  struct Case {
    std::function<void()> command;
    std::string japanese, english;
  };
  const Case cases[] = {
      {[&] { TBitmap b; LoadPicture(brokenBmp, b); }, "ビットマップイメージが不正です", "The bitmap image is not valid"},
      {[&] { TBitmap b; LoadPicture(shortTga, b); }, "TGA 画像が不正です (ファイルが途中で切れています)",
       "The TGA image is not valid (the file is cut short)"},
      {[&] { TBitmap b; LoadPicture(missing, b); }, "ファイル " + missing + " は開けません",
       "The file " + missing + " cannot be opened"},
      {[&] { TBitmap b; LoadPicture("picture.xyz", b); }, "拡張子 .xyz の画像形式は処理できません",
       "Pictures with the extension .xyz cannot be handled"},
      {[] { TBitmap b; b.SetSize(100000, 3); }, "ビットマップが大きすぎます (100000 x 3)", "The bitmap is too large (100000 x 3)"},
      {[] { throw std::runtime_error("plain 100%1"); }, "plain 100%1", "plain 100%1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorBoxText(c.command).toStdString(), c.japanese);
    const TTranslations english(TUiLanguage::English);
    EXPECT_EQ(ErrorBoxText(c.command).toStdString(), c.english);
  }
}

}  // namespace
