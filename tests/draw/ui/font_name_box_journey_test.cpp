// The font name box on the real main window: at start it shows its font's name and has looked
// nothing up; the first click into it brings every installed family, with the text and the
// document font as they were; leaving and coming back adds nothing twice, and a family chosen
// from the list becomes the text font.
#include <QLineEdit>

#include "app/app_fixture.h"
#include "draw/ui/pstate_panel.h"
#include "surface/canvas.h"
#include "surface/font_list.h"

namespace {

TEST_F(AppTest, TheFontBoxLooksTheFamiliesUpWhenFirstUsedAndKeepsItsText) {
  TFontNameBox& box = *form1().PstatePanel->fcom;
  const std::string startFont = picture().Canvas().Font.Name;
  const QString shown = box.currentText();
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_EQ(box.count(), 0);

  form1().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
  for (int visit = 0; visit < 2; ++visit) {
    QTest::mouseClick(box.lineEdit(), Qt::LeftButton);
    ASSERT_TRUE(box.hasFocus());
    const std::vector<std::string> families = InstalledFontFamilies();
    ASSERT_EQ(std::size_t(box.count()), families.size()) << "visit " << visit;
    for (std::size_t i = 0; i < families.size(); ++i)
      ASSERT_EQ(box.itemText(int(i)).toStdString(), families[i]);
    EXPECT_EQ(box.currentText(), shown);
    if (visit == 0) {  // leaving the box chooses the entry its text names, as any such box does
      EXPECT_EQ(box.currentIndex(), -1);
      EXPECT_EQ(picture().Canvas().Font.Name, startFont);
    }
    form1().Image->setFocus();  // away, and back on the next visit
  }

  ASSERT_GT(box.count(), 1);
  box.setCurrentIndex(1);
  EXPECT_EQ(picture().Canvas().Font.Name, box.itemText(1).toStdString());
}

}  // namespace
