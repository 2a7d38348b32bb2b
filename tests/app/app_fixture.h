#pragma once
// A started program for window tests, and a way to answer the modal windows it opens.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "app/form1.h"
#include "app/startup.h"

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<TZudozoApp>(QStringList{});
    app_->ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
  }
  void TearDown() override {
    delete Answerers();  // answers still waiting for a window that never came
    Answerers() = nullptr;
    app_.reset();
  }

  TZudozoApp& app() { return *app_; }
  TForm1& form1() { return app_->Form1(); }
  TBitmap& picture() { return app_->Document().Picture(); }

 public:
  // Runs answer on the next modal window as soon as it is open (polling the event loop).
  static void AnswerModal(std::function<void(QWidget*)> answer) {
    if (!Answerers()) Answerers() = new QObject;
    auto* timer = new QTimer(Answerers());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible()) return;
      timer->stop();
      timer->deleteLater();
      answer(modal);
    });
    timer->start();
  }

 private:
  static QObject*& Answerers() {
    static QObject* answerers = nullptr;
    return answerers;
  }
  std::unique_ptr<TZudozoApp> app_;
};

// Failures print texts readably.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// True when every pixel of the bitmap has colour c.
inline bool AllPixels(const TBitmap& b, TColor c) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != c) return false;
  return true;
}
