// The recovery copy's file, the store that names copies after their programs, and the writer's
// order of work.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "recovery/recovery_file.h"
#include "recovery/recovery_store.h"
#include "recovery/recovery_writer.h"
#include "surface/canvas.h"

namespace {

namespace fs = std::filesystem;

void drawSample(TBitmap& b) {
  const int width = b.Width(), height = b.Height();
  TCanvas& c = b.Canvas();
  c.Pen.Color = clRed;
  c.Pen.Width = 3;
  c.Brush.Color = RGB(10, 200, 30);
  c.Ellipse(1, 1, width - 2, height - 1);
  c.MoveTo(0, height - 1);
  c.LineTo(width, 0);
}

bool sameBitmap(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat()) return false;
  if (!(a.Palette() == b.Palette()) || a.Transparent != b.Transparent || a.TransparentColor != b.TransparentColor)
    return false;
  return std::equal(a.Bits(), a.Bits() + a.ByteSize(), b.Bits());
}

struct FolderTest : ::testing::Test {
  void SetUp() override {
    char pattern[] = "/tmp/zudozo-recovery-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string folder;
};

TEST(RecoveryFile, EveryFormatComesBackWhole) {
  const struct {
    TPixelFormat format;
    int width, height;
    std::string fileName;
    bool transparent;
  } cases[] = {
      {pfDevice, 17, 9, "/home/u/絵.png", false}, {pf1bit, 33, 5, "", false},
      {pf4bit, 7, 7, "/a.bmp", true},             {pf8bit, 31, 12, "/home/u/b c.bmp", false},
      {pf15bit, 3, 40, "x.jpg", false},           {pf16bit, 1, 1, "", true},
      {pf24bit, 13, 11, "/tmp/24.bmp", false},    {pf32bit, 200, 150, "/home/u/a.png", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.format));
    TBitmap picture(c.width, c.height, c.format);
    drawSample(picture);
    if (IsIndexed(c.format)) {
      std::vector<TColor> colors = picture.Palette().Entries();
      colors.back() = RGB(1, 2, 3);
      picture.SetPalette(TPalette(colors));
    }
    picture.Transparent = c.transparent;
    picture.TransparentColor = RGB(4, 5, 6);
    const std::vector<std::uint8_t> file = EncodeRecoveryCopy(picture, c.fileName, 1765000000);
    TRecoveryCopy copy;
    DecodeRecoveryCopy(file.data(), file.size(), copy);
    EXPECT_TRUE(sameBitmap(picture, copy.picture));
    EXPECT_EQ(copy.fileName, c.fileName);
    EXPECT_EQ(copy.savedAt, 1765000000);
  }
}

TEST(RecoveryFile, DamageIsFoundNeverHalfRead) {
  TBitmap picture(60, 40, pf8bit);
  drawSample(picture);
  const std::vector<std::uint8_t> whole = EncodeRecoveryCopy(picture, "/home/u/a.bmp", 7);
  // magic, version and six numbers, 256 palette entries, the name, time, size and two CRCs
  const std::size_t headerEnd = 8 + 4 * 7 + 256 * 4 + 4 + 13 + 8 + 8 + 4 + 4;
  ASSERT_LT(headerEnd, whole.size());
  const auto cut = [&](std::size_t n) { return std::vector<std::uint8_t>(whole.begin(), whole.begin() + n); };
  const auto flip = [&](std::size_t at) {
    std::vector<std::uint8_t> v = whole;
    v[at] ^= 0x40;
    return v;
  };
  std::vector<std::uint8_t> longer = whole;
  longer.push_back(0);
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"magic only", cut(8)},
      {"header cut", cut(headerEnd - 1)},
      {"header without payload", cut(headerEnd)},
      {"half the payload", cut(headerEnd + (whole.size() - headerEnd) / 2)},
      {"last byte missing", cut(whole.size() - 1)},
      {"a byte too many", longer},
      {"other magic", flip(0)},
      {"other version", flip(8)},
      {"width changed", flip(12)},
      {"a palette entry changed", flip(40)},
      {"file name changed", flip(headerEnd - 30)},
      {"payload changed", flip(headerEnd + 5)},
      {"payload's end changed", flip(whole.size() - 1)},
  };
  for (const auto& c : cases) {
    TRecoveryCopy copy;
    EXPECT_THROW(DecodeRecoveryCopy(c.bytes.data(), c.bytes.size(), copy), ERecoveryDamaged) << c.what;
  }
}

TEST(RecoveryStore, NamesFoldersAndOwners) {
  EXPECT_EQ(RecoveryFolder("/x/state", "/home/u"), "/x/state/zudozo/recovery");
  EXPECT_EQ(RecoveryFolder("", "/home/u"), "/home/u/.local/state/zudozo/recovery");
  EXPECT_EQ(RecoveryFolder("relative", "/home/u"), "/home/u/.local/state/zudozo/recovery");
  EXPECT_EQ(RecoveryFolder(nullptr, nullptr), "");

  const TRecoveryStore store("/f");
  EXPECT_EQ(store.PathFor({42, 9876}), "/f/zudozo-42-9876.recovery");
  const struct {
    const char* name;
    bool owned;
    TProcessIdentity owner;
  } names[] = {
      {"zudozo-42-9876.recovery", true, {42, 9876}},
      {"zudozo-42-9876.recovery.bad", false, {}},
      {"zudozo-42-9876.recovery.tmp42-0", false, {}},
      {"zudozo-42.recovery", false, {}},
      {"zudozo--1-5.recovery", false, {}},
      {"other-42-9876.recovery", false, {}},
  };
  for (const auto& n : names) {
    TProcessIdentity owner;
    EXPECT_EQ(TRecoveryStore::OwnerOf(n.name, owner), n.owned) << n.name;
    if (n.owned) {
      EXPECT_EQ(owner, n.owner) << n.name;
    }
  }
  const TProcessIdentity self = CurrentProcess();
  EXPECT_GT(self.startTime, 0u);
  EXPECT_TRUE(IsRunning(self));
  EXPECT_FALSE(IsRunning({self.pid, self.startTime + 1})) << "the same id, started at another time";

  const pid_t zombie = ::fork();
  if (zombie == 0) ::_exit(0);
  const std::uint64_t zombieStart = ProcessStartTime(int(zombie));
  siginfo_t info{};
  ::waitid(P_PID, id_t(zombie), &info, WEXITED | WNOWAIT);  // ended, and left uncollected
  EXPECT_FALSE(IsRunning({int(zombie), zombieStart})) << "killed, not yet collected by its parent";
  ::waitpid(zombie, nullptr, 0);
}

// A process that has ended, for copies whose program is gone.
int endedProcess() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return int(pid);
}

using RecoveryStoreFolder = FolderTest;

TEST_F(RecoveryStoreFolder, LeftBehindAreCopiesOfEndedPrograms) {
  const TRecoveryStore store(folder + "/zudozo/recovery");
  ASSERT_TRUE(store.MakeFolder());
  EXPECT_EQ(fs::status(store.Folder()).permissions() & fs::perms::all, fs::perms::owner_all);
  const TProcessIdentity self = CurrentProcess();
  const TProcessIdentity ended{endedProcess(), 123};
  const TProcessIdentity reused{self.pid, self.startTime + 5};  // our id, another program's start
  for (const TProcessIdentity& p : {self, ended, reused}) std::ofstream(store.PathFor(p)) << "x";
  std::ofstream(store.PathFor(ended) + ".tmp" + std::to_string(ended.pid) + "-0") << "half";
  std::ofstream(store.PathFor(self) + ".tmp" + std::to_string(self.pid) + "-0") << "being written";
  std::ofstream(store.PathFor({ended.pid, 99}) + ".bad") << "damaged";

  std::vector<std::string> left = store.LeftBehind();
  std::sort(left.begin(), left.end());
  std::vector<std::string> expected{store.PathFor(ended), store.PathFor(reused)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
  EXPECT_FALSE(fs::exists(store.PathFor(ended) + ".tmp" + std::to_string(ended.pid) + "-0"));
  EXPECT_TRUE(fs::exists(store.PathFor(self) + ".tmp" + std::to_string(self.pid) + "-0"));

  EXPECT_EQ(TRecoveryStore::SetAside(store.PathFor(ended)), store.PathFor(ended) + ".bad");
  TRecoveryStore::Remove(store.PathFor(reused));
  EXPECT_EQ(store.LeftBehind(), std::vector<std::string>{});
}

using RecoveryWriterFolder = FolderTest;

// A copy is written whole; a removal asked for while a large copy is being written wins, and
// the end of the writer after a removal leaves no file.
TEST_F(RecoveryWriterFolder, WritesInOrderAndRemovalWins) {
  const std::string path = folder + "/new/zudozo-1-2.recovery";
  TBitmap picture(300, 200, pf24bit);
  drawSample(picture);
  {
    TRecoveryWriter writer(path);
    writer.Write(picture, "/p.bmp", 5);
    writer.WaitIdle();
    TRecoveryCopy copy;
    ReadRecoveryFile(path, copy);
    EXPECT_TRUE(sameBitmap(picture, copy.picture));
    EXPECT_EQ(copy.fileName, "/p.bmp");

    TBitmap large(4000, 3000, pf32bit);
    drawSample(large);
    for (int i = 0; i < 3; ++i) {
      writer.Write(large, "/q.bmp", 6);
      writer.Remove();
      writer.WaitIdle();
      EXPECT_FALSE(fs::exists(path));
    }
    writer.Write(picture, "/p.bmp", 7);
    writer.Remove();
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder + "/new"), fs::directory_iterator()), 0)
      << "no temporary file is left";
}

}  // namespace
