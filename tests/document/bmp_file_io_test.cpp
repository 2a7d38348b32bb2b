// Bitmap files on disk: saving replaces the file whole or not at all, and failures carry the
// messages the user sees.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "document/bmp_file.h"
#include "fileio/picture_file_io.h"
#include "surface/surface_error.h"
#include "support/error_message.h"

namespace fs = std::filesystem;

namespace {

class BmpFileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    char dirTemplate[] = "/tmp/zudozo-bmpio-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    dir_ = dirTemplate;
  }
  void TearDown() override { fs::remove_all(dir_); }

  int entries() const { return int(std::distance(fs::directory_iterator(dir_), {})); }

  std::string dir_;
};

TEST_F(BmpFileIo, SaveReplacesTheFileKeepingItsPermissionsAndLoadReadsItBack) {
  const std::string path = dir_ + "/picture.bmp";
  std::ofstream(path) << "old contents";
  ::chmod(path.c_str(), 0640);
  TBitmap bmp(3, 2, pf24bit);
  bmp.SetPixel(2, 1, clBlue);
  SaveBmpFile(bmp, path);
  EXPECT_EQ(entries(), 1);  // no temporary file left behind
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  TBitmap back(1, 1, pf1bit);
  LoadBmpFile(path, back);
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(back.GetPixel(2, 1), clBlue);
  EXPECT_EQ(back.GetPixel(0, 0), clWhite);
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(BmpFileIo, SavedFilesHoldExactlyWhatWriteBmpMakes) {
  // Small pieces gathered in the write buffer, and rows that pass it by.
  TBitmap small(5, 3, pf4bit), large(700, 400, pf32bit);
  small.SetPixel(1, 1, clRed);
  large.SetPixel(699, 0, clBlue);
  for (const TBitmap* bmp : {&small, &large}) {
    SaveBmpFile(*bmp, dir_ + "/x.bmp");
    EXPECT_EQ(fileBytes(dir_ + "/x.bmp"), WriteBmp(*bmp)) << bmp->Width();
  }
  // A producer that fails leaves the old file and no temporary one.
  EXPECT_THROW(WriteFileSafely(dir_ + "/x.bmp",
                               [](const ByteSink& sink) {
                                 sink(reinterpret_cast<const std::uint8_t*>("new"), 3);
                                 throw std::runtime_error("interrupted");
                               }),
               std::runtime_error);
  EXPECT_EQ(fileBytes(dir_ + "/x.bmp"), WriteBmp(large));
  EXPECT_EQ(entries(), 1);
}

TEST_F(BmpFileIo, FailuresNameTheFileAndLeaveEverythingAsItWas) {
  TBitmap bmp(2, 2, pf8bit);
  bmp.SetPixel(0, 0, clRed);
  const std::string missing = dir_ + "/missing.bmp";
  EXPECT_EQ(ErrorMessageOf([&] { LoadBmpFile(missing, bmp); }), "ファイル " + missing + " は開けません");
  EXPECT_EQ(ErrorMessageOf([&] { LoadBmpFile(dir_, bmp); }), "ファイル " + dir_ + " は開けません");

  const std::string damaged = dir_ + "/damaged.bmp";
  std::ofstream(damaged) << "BM not a bitmap";
  EXPECT_EQ(ErrorMessageOf([&] { LoadBmpFile(damaged, bmp); }), "ビットマップイメージが不正です");
  EXPECT_EQ(bmp.PixelFormat(), pf8bit);
  EXPECT_EQ(bmp.GetPixel(0, 0), clRed);

  const std::string noFolder = dir_ + "/no/such/folder.bmp";
  EXPECT_EQ(ErrorMessageOf([&] { SaveBmpFile(bmp, noFolder); }), "ファイル " + noFolder + " を作成できません");
  // A target that cannot be replaced (a folder with a file in it) stays, and the temporary
  // file is removed.
  const std::string folder = dir_ + "/folder.bmp";
  fs::create_directory(folder);
  std::ofstream(folder + "/inside") << "x";
  EXPECT_EQ(ErrorMessageOf([&] { SaveBmpFile(bmp, folder); }), "ファイル " + folder + " を作成できません");
  EXPECT_TRUE(fs::exists(folder + "/inside"));
  EXPECT_EQ(entries(), 2);  // damaged.bmp and folder.bmp
}

}  // namespace
