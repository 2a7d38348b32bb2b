// The windows under English: opened as a user opens them, every text they show is English and
// fits where the Japanese one fitted.
#include <QAbstractButton>
#include <map>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <memory>

#include "app/app_fixture.h"
#include "language/ui/japanese_text.h"
#include "language/ui/translation_file.h"
#include "language/ui/translations.h"
#include "recovery/recovery_file.h"
#include "recovery/ui/recovery_offer.h"

namespace {

// Every text a widget shows or hints with.
QStringList TextsOf(const QWidget* w) {
  QStringList texts{w->windowTitle(), w->toolTip(), w->statusTip(), w->property("zudozoHint").toString()};
  if (auto* label = qobject_cast<const QLabel*>(w)) texts << label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) texts << button->text();
  if (auto* tabs = qobject_cast<const QTabWidget*>(w))
    for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
  if (auto* combo = qobject_cast<const QComboBox*>(w))
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  for (const QAction* action : w->actions()) texts << action->text() << action->statusTip() << action->toolTip();
  texts.removeAll(QString());
  return texts;
}

// A window and every widget in it.
QList<QWidget*> WidgetsOf(QWidget* window) {
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  return widgets;
}

// Every text a window shows or hints with.
QStringList WindowTexts(QWidget* window) {
  QStringList texts;
  for (const QWidget* w : WidgetsOf(window)) texts << TextsOf(w);
  return texts;
}

// The labels and buttons of a window, in the order of the tree.
std::vector<const QWidget*> CaptionedControls(const QWidget* window) {
  std::vector<const QWidget*> controls;
  for (const QWidget* w : window->findChildren<QWidget*>())
    if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)) controls.push_back(w);
  return controls;
}

// The widths a window's captioned controls need for their texts, in the order of the tree.
std::vector<int> NeededWidths(const QWidget* window) {
  std::vector<int> widths;
  for (const QWidget* w : CaptionedControls(window)) widths.push_back(w->sizeHint().width());
  return widths;
}

// The windows of the program, by object name, in the order the start-up makes them.
const char* const kTranslatedWindows[] = {"TForm1", "TForm3", "TForm4", "TForm5", "TNewBMPForm",
                                          "TForm2", "TForm7", "Tresizeform", "TCchangeform"};

// The letters after "&" of a menu's or bar's items, and of the same letter twice the first repeat.
QString RepeatedAccelerator(const QWidget* w) {
  QString seen;
  for (const QAction* action : w->actions()) {
    const QString text = action->text();
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= text.size()) continue;
    const QChar key = text.at(amp + 1).toLower();
    if (seen.contains(key)) return QString(key);
    seen += key;
  }
  return {};
}

QWidget* WindowNamed(TZudozoApp& app, const char* name) {
  for (QWidget* w : app.Windows())
    if (w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

// A program started under English, after one started with the program's own texts has told
// the widths those need.
class EnglishWindowsTest : public AppTest {
 protected:
  void SetUp() override {
    {
      TZudozoApp japanese{QStringList{}};
      for (const char* name : kTranslatedWindows) japaneseWidths_[name] = NeededWidths(WindowNamed(japanese, name));
    }
    english_ = std::make_unique<TTranslations>(TUiLanguage::English);
    AppTest::SetUp();
  }
  void TearDown() override {
    AppTest::TearDown();
    english_.reset();
  }
  std::unique_ptr<TTranslations> english_;
  std::map<std::string, std::vector<int>> japaneseWidths_;
};

TEST_F(EnglishWindowsTest, EveryWindowShowsOnlyEnglishThatFitsItsControlsAndMenusWithoutClashingKeys) {
  ASSERT_EQ(english_->Language(), TUiLanguage::English);
  std::vector<QWidget*> windows;
  for (const char* name : kTranslatedWindows) windows.push_back(WindowNamed(app(), name));
  for (int round = 0; round < 2; ++round) {
    for (QWidget* window : windows) {
      ASSERT_NE(window, nullptr);
      const std::string name = window->objectName().toStdString();
      if (window->isWindow()) window->show();
      for (const QString& text : WindowTexts(window)) EXPECT_FALSE(HasJapanese(text)) << name << ": " << text.toStdString();
      for (const QWidget* w : WidgetsOf(window)) {
        if (qobject_cast<const QMenu*>(w) || qobject_cast<const QMenuBar*>(w)) {
          EXPECT_EQ(RepeatedAccelerator(w).toStdString(), "") << name << ": " << w->objectName().toStdString();
        }
      }
      const std::vector<int> needed = NeededWidths(window);
      const std::vector<int>& japanese = japaneseWidths_[name];
      ASSERT_EQ(needed.size(), japanese.size()) << name;
      const std::vector<const QWidget*> controls = CaptionedControls(window);
      for (std::size_t i = 0; i < controls.size(); ++i) {
        const QWidget* w = controls[i];
        EXPECT_LE(needed[i], std::max(w->width(), japanese[i]))
            << name << ": " << TextsOf(w).join(QStringLiteral(" / ")).toStdString() << " needs " << needed[i] << " px in " << w->width() << " px";
      }
      if (window->isWindow()) window->hide();
    }
  }
}

TEST_F(EnglishWindowsTest, TheRecoveryOfferAtStartSpeaksEnglishToo) {
  for (const char* fileName : {"", "/home/user/picture.png"}) {
    TRecoveryCopy copy;
    copy.picture.SetSize(40, 30);
    copy.fileName = fileName;
    copy.savedAt = 1700000000;
    TRecoveryOfferForm offer(copy, &form1());
    offer.show();
    for (const QString& text : WindowTexts(&offer)) EXPECT_FALSE(HasJapanese(text)) << fileName << ": " << text.toStdString();
    EXPECT_EQ(offer.restoreButton->text(), QStringLiteral("Restore"));
    EXPECT_EQ(offer.discardButton->text(), QStringLiteral("Discard"));
    EXPECT_EQ(offer.laterButton->text(), QStringLiteral("Later"));
  }
}

// The English texts of the translation file that differ from the program's own.
QSet<QString> EnglishTranslations() {
  QSet<QString> english;
  for (const TTranslatedText& text : EnglishTranslationFile())
    if (text.translation != text.source) english.insert(text.translation);
  return english;
}

TEST_F(AppTest, UnderJapaneseNoEnglishTextOfTheTranslationShows) {
  const QSet<QString> english = EnglishTranslations();
  ASSERT_GT(english.size(), 100);
  for (QWidget* window : app().Windows()) {
    window->show();
    for (const QString& text : WindowTexts(window))
      EXPECT_FALSE(english.contains(text)) << window->objectName().toStdString() << ": " << text.toStdString();
    if (window != &form1()) window->hide();
  }
}

}  // namespace
