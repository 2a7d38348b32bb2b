#include "widgets/up_down.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(UpDown, ArrowsStepAndWrapOrStopAtTheEnds) {
  TUpDown wrapping(0, 3, true);
  QSignalSpy clicks(&wrapping, &TUpDown::Click);
  QTest::mouseClick(wrapping.PrevButton(), Qt::LeftButton);
  EXPECT_EQ(wrapping.Position(), 3);
  QTest::mouseClick(wrapping.NextButton(), Qt::LeftButton);
  EXPECT_EQ(wrapping.Position(), 0);
  QTest::mouseClick(wrapping.NextButton(), Qt::LeftButton);
  EXPECT_EQ(wrapping.Position(), 1);
  ASSERT_EQ(clicks.count(), 3);
  EXPECT_EQ(clicks[0][0].value<TUpDown::TUDBtnType>(), TUpDown::btPrev);
  EXPECT_EQ(clicks[2][0].value<TUpDown::TUDBtnType>(), TUpDown::btNext);

  TUpDown stopping(1, 2, false);
  QSignalSpy stops(&stopping, &TUpDown::Click);
  QTest::mouseClick(stopping.PrevButton(), Qt::LeftButton);
  EXPECT_EQ(stopping.Position(), 1);
  stopping.Step(TUpDown::btNext);
  stopping.Step(TUpDown::btNext);
  EXPECT_EQ(stopping.Position(), 2);
  EXPECT_EQ(stops.count(), 3);  // a click at the end is still a click
  stopping.SetPosition(-5);
  EXPECT_EQ(stopping.Position(), 1);
  EXPECT_EQ(stops.count(), 3);
}

}  // namespace
