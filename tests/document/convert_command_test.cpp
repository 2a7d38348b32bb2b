// The command-line converter end to end: files in and out, exit codes, the messages on the error
// stream, and the PNG options reaching the file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "document/bmp_file.h"
#include "document/convert_command.h"
#include "document/jpeg_file.h"

namespace fs = std::filesystem;

namespace {

class ConvertCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zudozo-convert-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    TBitmap picture(40, 24, pf24bit);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 40; ++x) picture.SetPixel(x, y, x < 20 ? clRed : RGB(10, 200, 90));
    SaveBmpFile(picture, path("in.bmp"));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  // Runs the arguments; the exit code, or -1 when they are no command-line run.
  int run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunCommandLine(args, out_, err_).value_or(-1);
  }
  std::vector<std::uint8_t> fileBytes(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The data of the first chunk of that type in a PNG file, empty when there is none.
  std::vector<std::uint8_t> pngChunk(const std::string& name, const std::string& type) const {
    const std::vector<std::uint8_t> png = fileBytes(name);
    for (std::size_t at = 8; at + 8 <= png.size();) {
      const std::size_t length = std::size_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
      if (std::string(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8)) == type)
        return {png.begin() + std::ptrdiff_t(at + 8), png.begin() + std::ptrdiff_t(at + 8 + length)};
      at += 12 + length;
    }
    return {};
  }

  fs::path dir_;
  std::ostringstream out_, err_;
};

TEST_F(ConvertCommand, OnlyItsOwnOptionsMakeACommandLineRun) {
  EXPECT_EQ(run({}), -1);
  EXPECT_EQ(run({path("in.bmp")}), -1);  // a picture to open in the window
  EXPECT_EQ(run({"--version"}), 0);
  EXPECT_TRUE(std::regex_match(out_.str(), std::regex("zudozo [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << out_.str();
  EXPECT_EQ(run({"--help"}), 0);
  EXPECT_NE(out_.str().find("--convert IN OUT"), std::string::npos);
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(run({"--no-recovery", path("in.bmp")}), -1);
}

// An option nobody knows is a usage error, before and after the platform took its own out.
TEST_F(ConvertCommand, UnknownOptionsAreUsageErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--bogus"}, {path("in.bmp"), "--bogus"}, {"--no-recovery", "--x=1"}}) {
    EXPECT_EQ(run(args), 2) << args.back();
    EXPECT_EQ(err_.str().rfind("zudozo: unknown option " + args.back() + "\n", 0), 0u) << err_.str();
    EXPECT_NE(err_.str().find("Usage: zudozo"), std::string::npos);
    EXPECT_EQ(out_.str(), "");
  }
  std::ostringstream err;
  EXPECT_EQ(CheckWindowArguments({"-style"}, err, "--"), std::nullopt) << "the platform's, still to come";
  EXPECT_EQ(CheckWindowArguments({"-bogus"}, err, "-"), 2);
  EXPECT_EQ(CheckWindowArguments({"--no-recovery", "-", path("in.bmp")}, err, "-"), std::nullopt);
}

TEST_F(ConvertCommand, ConvertsThroughTheProgramsReadersAndWriters) {
  EXPECT_EQ(run({"--convert", path("in.bmp"), path("out.jpg")}), 0);
  EXPECT_EQ(err_.str(), "");
  TBitmap jpeg;
  LoadJpegFile(path("out.jpg"), jpeg);
  EXPECT_EQ(jpeg.Width(), 40);
  EXPECT_NEAR(GetRValue(jpeg.GetPixel(5, 5)), 255, 4);
  EXPECT_NEAR(GetGValue(jpeg.GetPixel(30, 5)), 200, 4);

  // Back from JPEG by a name in capitals, to a bitmap, which keeps the JPEG's 32 bits.
  fs::rename(path("out.jpg"), path("OUT.JPG"));
  EXPECT_EQ(run({"--convert", path("OUT.JPG"), path("back.bmp")}), 0);
  TBitmap bmp;
  LoadBmpFile(path("back.bmp"), bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf32bit);
}

TEST_F(ConvertCommand, FailuresReportTheProgramsMessageAndExitNonZero) {
  EXPECT_EQ(run({"--convert", path("missing.bmp"), path("out.bmp")}), 1);
  EXPECT_EQ(err_.str(), "ファイル " + path("missing.bmp") + " は開けません\n");
  EXPECT_EQ(run({"--convert", path("in.bmp"), path("out.pcx")}), 1);
  EXPECT_EQ(err_.str(), "拡張子 .pcx の画像形式は処理できません\n");
  EXPECT_EQ(run({"--convert", path("in.bmp"), path("out.BMP")}), 1);  // output names are exact
  EXPECT_EQ(err_.str(), "拡張子 .BMP の画像形式は処理できません\n");
  fs::copy_file(path("in.bmp"), path("bitmap.jpg"));
  EXPECT_EQ(run({"--convert", path("bitmap.jpg"), path("out.bmp")}), 1);
  EXPECT_EQ(err_.str().rfind("JPEG エラー #", 0), 0u) << err_.str();
  EXPECT_FALSE(fs::exists(path("out.bmp")));

  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
           {"--convert", path("in.bmp")},
           {"--convert", path("in.bmp"), path("a.png"), path("b.png")},
           {"--convert", path("in.bmp"), path("a.png"), "--png-level", "4"},
           {"--convert", path("in.bmp"), path("a.png"), "--png-level"},
           {"--convert", path("in.bmp"), path("a.png"), "--transparent", "F00"},
           {"--convert", path("in.bmp"), path("a.png"), "--transparent", "GG0000"},
           {"--convert", path("in.bmp"), path("a.png"), "--fast"}}) {
    EXPECT_EQ(run(wrong), 2) << wrong.back();
    EXPECT_NE(err_.str().find("Usage"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(path("a.png")));
}

TEST_F(ConvertCommand, PngOptionsReachTheFile) {
  EXPECT_EQ(run({"--convert", path("in.bmp"), path("plain.png")}), 0);
  EXPECT_EQ(pngChunk("plain.png", "IHDR").at(12), 0);           // not interlaced
  EXPECT_EQ(pngChunk("plain.png", "IDAT").at(1) >> 6, 2);        // zlib's default level
  EXPECT_TRUE(pngChunk("plain.png", "tRNS").empty());

  EXPECT_EQ(run({"--convert", path("in.bmp"), path("best.png"), "--png-level", "3", "--interlace",
                 "--transparent", "0AC85a"}),
            0);
  EXPECT_EQ(pngChunk("best.png", "IHDR").at(12), 1);  // Adam7
  EXPECT_EQ(pngChunk("best.png", "IDAT").at(1) >> 6, 3);
  // The transparent colour, red first: 0x0A, 0xC8, 0x5A as 16-bit samples of an RGB picture.
  EXPECT_EQ(pngChunk("best.png", "tRNS"), std::vector<std::uint8_t>({0, 10, 0, 200, 0, 90}));

  // And back: the PNG reads as the picture it was made from, at 32 bits.
  EXPECT_EQ(run({"--convert", path("best.png"), path("back.bmp")}), 0);
  TBitmap back;
  LoadBmpFile(path("back.bmp"), back);
  EXPECT_EQ(back.PixelFormat(), pf32bit);
  EXPECT_EQ(back.GetPixel(5, 5), clRed);
  EXPECT_EQ(back.GetPixel(30, 5), RGB(10, 200, 90));

  EXPECT_EQ(run({"--png-level", "0"}), 2);  // an option of --convert alone is a mistake
  EXPECT_EQ(run({"--convert", "--png-level", "0", path("in.bmp"), path("stored.png")}), 0);
  EXPECT_EQ(pngChunk("stored.png", "IDAT").at(1) >> 6, 0);
}

}  // namespace
