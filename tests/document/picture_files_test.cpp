// Opening and saving picture files by their names: which reader and writer the extension picks,
// in which letter case, and what happens to files and pictures when the name names nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <jerror.h>

#include "document/bmp_file.h"
#include "document/jpeg_file.h"
#include "document/picture_loader.h"
#include "document/picture_saver.h"
#include "surface/surface_error.h"
#include "support/error_message.h"

namespace fs = std::filesystem;

namespace {

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zudozo-pictures-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

std::vector<std::uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool never(VIRAVIZ&) { return false; }

TEST_F(PictureFiles, TheLoaderChoosesByExtensionInAnyLetterCase) {
  TBitmap indexed(5, 4, pf8bit);
  indexed.SetPixel(2, 1, clBlue);
  SaveBmpFile(indexed, path("a.BmP"));
  SaveJpegFile(indexed, path("b.JPG"));
  SaveJpegFile(indexed, path("c.jpeg"));
  VIRAVIZ png;
  png.Assign(indexed);
  png.SaveToFile(path("d.Png"));

  TBitmap out;
  LoadPicture(path("a.BmP"), out);
  EXPECT_EQ(out.PixelFormat(), pf8bit);  // a bitmap keeps its format
  EXPECT_EQ(out.GetPixel(2, 1), clBlue);
  for (const char* name : {"b.JPG", "c.jpeg", "d.Png"}) {
    TBitmap decoded(1, 1, pf1bit);
    LoadPicture(path(name), decoded);
    EXPECT_EQ(decoded.PixelFormat(), pf32bit) << name;
    EXPECT_EQ(decoded.Width(), 5) << name;
  }
  TBitmap fromPng;
  LoadPicture(path("d.Png"), fromPng);
  EXPECT_EQ(fromPng.GetPixel(2, 1), clBlue);  // PNG is exact

  // The name decides, not the contents; failures leave the picture as it was.
  fs::copy_file(path("a.BmP"), path("bitmap.jpg"));
  EXPECT_EQ(ErrorMessageOf([&] { LoadPicture(path("bitmap.jpg"), out); }), "JPEG エラー #" + std::to_string(JERR_NO_SOI));
  fs::copy_file(path("a.BmP"), path("bitmap.pcx"));
  EXPECT_EQ(ErrorMessageOf([&] { LoadPicture(path("bitmap.pcx"), out); }), "拡張子 .pcx の画像形式は処理できません");
  EXPECT_EQ(ErrorMessageOf([&] { LoadPicture(path("noextension"), out); }), "拡張子 . の画像形式は処理できません");
  fs::create_directory(path("folder.bmp"));
  EXPECT_EQ(ErrorMessageOf([&] { LoadPicture(path("folder.bmp/picture"), out); }), "拡張子 . の画像形式は処理できません");
  EXPECT_EQ(ErrorMessageOf([&] { LoadPicture(path("missing.bmp"), out); }), "ファイル " + path("missing.bmp") + " は開けません");
  EXPECT_EQ(out.PixelFormat(), pf8bit);
  EXPECT_EQ(out.GetPixel(2, 1), clBlue);
}

TEST(SaveFormat, TheExtensionMustMatchExactlyInLowerCase) {
  EXPECT_EQ(SaveFormatOf("/a/b.bmp"), TSaveFormat::Bmp);
  EXPECT_EQ(SaveFormatOf("b.jpg"), TSaveFormat::Jpeg);
  EXPECT_EQ(SaveFormatOf("b.x.jpeg"), TSaveFormat::Jpeg);
  EXPECT_EQ(SaveFormatOf("b.png"), TSaveFormat::Png);
  EXPECT_EQ(SaveFormatOf(".png"), TSaveFormat::Png);  // a file named only by its extension
  for (const char* name : {"b.BMP", "b.Png", "b.jPg", "b.JPEG", "b.png.txt", "b.", "bmp", "b.bmp/c", "b.jpe", "b.bmpx"})
    EXPECT_EQ(SaveFormatOf(name), TSaveFormat::None) << name;
}

TEST_F(PictureFiles, SavingWritesTheFormatTheNameSaysOrNothing) {
  TBitmap picture(6, 3, pf4bit);
  picture.SetPixel(4, 2, clRed);
  EXPECT_TRUE(SavePictureFile(picture, path("p.bmp"), never));
  TBitmap back;
  LoadBmpFile(path("p.bmp"), back);
  EXPECT_EQ(back.PixelFormat(), pf4bit);
  EXPECT_EQ(back.GetPixel(4, 2), clRed);

  EXPECT_TRUE(SavePictureFile(picture, path("p.jpeg"), never));
  LoadJpegFile(path("p.jpeg"), back);
  EXPECT_EQ(back.Width(), 6);

  EXPECT_FALSE(SavePictureFile(picture, path("p.BMP"), never));
  EXPECT_FALSE(SavePictureFile(picture, path("p.pcx"), never));
  EXPECT_FALSE(fs::exists(path("p.BMP")));
  EXPECT_FALSE(fs::exists(path("p.pcx")));

  // PNG: the callback sees the picture and may change its options; without its consent
  // nothing is written.
  EXPECT_FALSE(SavePictureFile(picture, path("p.png"), never));
  EXPECT_FALSE(fs::exists(path("p.png")));
  TColor seen = clInvalid;
  EXPECT_TRUE(SavePictureFile(picture, path("p.png"), [&seen](VIRAVIZ& png) {
    seen = png.Image.GetPixel(4, 2);
    png.InterlaceOption = true;
    return true;
  }));
  EXPECT_EQ(seen, clRed);
  const std::vector<std::uint8_t> png = fileBytes(path("p.png"));
  ASSERT_GT(png.size(), 29u);
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(png[28], 1);  // Adam7
}

}  // namespace
