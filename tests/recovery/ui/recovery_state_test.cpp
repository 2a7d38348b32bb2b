// The recovery copy of the real program in this process, with real files: it follows the one
// state that says whether the picture differs from its file, and a copy that cannot be written
// is told once, and once more when copies can be written again.
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/app_recovery.h"
#include "app/app_fixture.h"
#include "document/bmp_file.h"
#include "document/picture_loader.h"
#include "history/ui/history_commands.h"
#include "recovery/recovery_file.h"
#include "recovery/recovery_store.h"
#include "recovery/ui/recovery_offer.h"
#include "recovery/ui/recovery_scheduler.h"
#include "surface/canvas.h"

namespace {

// What the program writes to stderr while it lives.
class TStderrCapture {
 public:
  explicit TStderrCapture(const QString& path) : path_(path.toStdString()) {
    std::fflush(stderr);
    saved_ = ::dup(2);
    const int file = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, 2);
    ::close(file);
  }
  ~TStderrCapture() {
    std::fflush(stderr);
    ::dup2(saved_, 2);
    ::close(saved_);
  }
  // The lines so far that begin with "zudozo:".
  std::vector<std::string> ProgramLines() const {
    std::fflush(stderr);
    std::ifstream in(path_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      if (line.rfind("zudozo:", 0) == 0) lines.push_back(line);
    return lines;
  }

 private:
  std::string path_;
  int saved_ = -1;
};

class RecoveryStateTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    folder_ = dir_.filePath(QStringLiteral("state/zudozo/recovery"));
    recovery_ = std::make_unique<TAppRecovery>(app(), folder_.toStdString());
  }
  void TearDown() override {
    recovery_.reset();
    AppTest::TearDown();
  }
  TRecoveryScheduler& scheduler() { return recovery_->Scheduler(); }
  QString copy() { return QString::fromStdString(scheduler().Path()); }
  void Dot(int x) { QTest::mouseClick(form1().Image, Qt::LeftButton, {}, QPoint(x, 10)); }
  // Whatever the scheduler has due, written (or not) now and carried out.
  void WriteDue() {
    scheduler().WriteNow();
    scheduler().Writer().WaitIdle();
    QApplication::processEvents();
  }

  QTemporaryDir dir_;
  QString folder_;
  std::unique_ptr<TAppRecovery> recovery_;
};

TEST_F(RecoveryStateTest, DrawnAndTakenBackIsNoUnsavedWork) {
  Dot(10);
  WriteDue();
  EXPECT_TRUE(QFile::exists(copy()));
  const int written = scheduler().Writer().CopiesWritten();
  // Back to the picture as it was: the copy goes and no new one is written.
  QTest::keyClick(&form1(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(form1().PictureUnsaved());
  WriteDue();
  EXPECT_FALSE(QFile::exists(copy()));
  EXPECT_EQ(scheduler().Writer().CopiesWritten(), written);
  // Forward again is unsaved work again; a draw and its undo with the timer left to run too.
  QTest::keyClick(&form1(), Qt::Key_Y, Qt::ControlModifier);
  WriteDue();
  EXPECT_TRUE(QFile::exists(copy()));
  QTest::keyClick(&form1(), Qt::Key_Z, Qt::ControlModifier);
  QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(copy()), 20000);
  EXPECT_EQ(scheduler().Writer().CopiesWritten(), written + 1);
}

TEST_F(RecoveryStateTest, ACopyThatCannotBeWrittenIsToldOnceAndAgainWhenItCan) {
  TStderrCapture errors(dir_.filePath(QStringLiteral("stderr")));
  // A plain file where the folder of the copies should be.
  ASSERT_TRUE(QDir().mkpath(QFileInfo(folder_).path()));
  QFile plain(folder_);
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();

  Dot(10);
  WriteDue();
  const QString notKept = QStringLiteral("復元用の控えを書き込めないため、保存していない絵は守られていません");
  QTRY_COMPARE_WITH_TIMEOUT(form1().Label4()->text(), notKept, 5000);
  ASSERT_EQ(errors.ProgramLines().size(), 1u);
  EXPECT_NE(errors.ProgramLines()[0].find(notKept.toStdString()), std::string::npos) << errors.ProgramLines()[0];
  // Once only.
  form1().ShowHint(QStringLiteral("ヒント"));
  Dot(20);
  WriteDue();
  QTest::qWait(50);
  EXPECT_NE(form1().Label4()->text(), notKept);
  EXPECT_EQ(errors.ProgramLines().size(), 1u);
  EXPECT_FALSE(QFile::exists(copy()));

  // The folder can be made again: said once more, and the copy is there.
  ASSERT_TRUE(QFile::remove(folder_));
  Dot(30);
  WriteDue();
  QTRY_COMPARE_WITH_TIMEOUT(form1().Label4()->text(), QStringLiteral("復元用の控えをまた書き込めるようになりました"), 5000);
  EXPECT_EQ(errors.ProgramLines().size(), 2u);
  EXPECT_TRUE(QFile::exists(copy()));
}

// A copy restored that holds what its file holds is no unsaved work: nothing is kept of it. One
// that differs is, and Ctrl+Z goes back to the file's picture.
TEST_F(RecoveryStateTest, ARestoredCopyIsUnsavedWorkOnlyWhereItDiffersFromItsFile) {
  const QString file = dir_.filePath(QStringLiteral("kept.bmp"));
  TBitmap inFile(64, 48, pf24bit);
  inFile.Canvas().Brush.Color = clWhite;
  inFile.Canvas().FillRect(inFile.BoundsRect());
  inFile.SetPixel(5, 6, clBlue);
  SaveBmpFile(inFile, file.toStdString());
  const TRecoveryStore store(folder_.toStdString());
  ASSERT_TRUE(store.MakeFolder());
  const TProcessIdentity self = CurrentProcess();
  for (const bool changed : {false, true}) {
    // A copy of a program that ended, with this program's id but another start.
    const std::string left = store.PathFor({self.pid, self.startTime + 5});
    TBitmap work;
    LoadPicture(file.toStdString(), work);
    if (changed) work.SetPixel(20, 20, clRed);
    WriteRecoveryFile(left, work, file.toStdString(), 1700000000);
    AnswerModal([](QWidget* offer) { static_cast<TRecoveryOfferForm*>(offer)->restoreButton->click(); });
    recovery_->OfferLeftBehind();
    EXPECT_EQ(app().Document().FileName, file.toStdString());
    EXPECT_EQ(picture().GetPixel(5, 6), clBlue);
    EXPECT_EQ(picture().GetPixel(20, 20), changed ? clRed : clWhite);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(left)));
    EXPECT_EQ(form1().PictureUnsaved(), changed);
    WriteDue();
    EXPECT_EQ(QFile::exists(copy()), changed) << changed;
    if (!changed) continue;
    form1().History->Aundo->trigger();
    EXPECT_EQ(picture().GetPixel(20, 20), clWhite);
    WriteDue();
    EXPECT_FALSE(QFile::exists(copy()));
  }
}

}  // namespace
