// Saving against a real file system: a write-protected file, a symbolic link, a file-size limit
// and an empty picture, in every format. The file that was there before stays whole and no
// temporary file is left behind.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/picture_saver.h"
#include "support/error_message.h"

namespace fs = std::filesystem;

namespace {

class SaveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zudozo-save-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void writeText(const std::string& name, const std::string& text) { std::ofstream(path(name)) << text; }
  std::string readText(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  int filesInFolder() const { return int(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }
  fs::path dir_;
};

bool yes(VIRAVIZ&) { return true; }

const char* const kNames[] = {"p.bmp", "p.jpg", "p.png"};

}  // namespace

TEST_F(SaveFaults, WriteProtectedFilesStayAndLinksStayLinks) {
  TBitmap picture(40, 30, pf24bit);
  for (const char* name : kNames) {
    writeText(name, "old");
    fs::permissions(path(name), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string message = ErrorMessageOf([&] { SavePictureFile(picture, path(name), yes); });
    EXPECT_NE(message.find("を作成できません"), std::string::npos) << name << ": " << message;
    EXPECT_EQ(readText(name), "old") << name;
    fs::permissions(path(name), fs::perms::owner_all);
    fs::remove(path(name));

    // Through a link: the file it names is written, the link stays.
    writeText(std::string("target-") + name, "old");
    fs::create_symlink(std::string("target-") + name, path(std::string("link-") + name));
    ASSERT_TRUE(SavePictureFile(picture, path(std::string("link-") + name), yes));
    EXPECT_TRUE(fs::is_symlink(path(std::string("link-") + name))) << name;
    EXPECT_GT(fs::file_size(path(std::string("target-") + name)), 3u) << name;
  }
  EXPECT_EQ(filesInFolder(), 6) << "no temporary file is left";

  TBitmap empty(0, 0);
  for (const char* name : kNames) {
    EXPECT_NE(ErrorMessageOf([&] { SavePictureFile(empty, path(name), yes); }), "no error") << name;
    EXPECT_FALSE(fs::exists(path(name))) << name;
  }
}

// In a child process with a small file-size limit the save fails with the program's message;
// the program is not ended by the limit's signal.
TEST_F(SaveFaults, AFileSizeLimitIsAnErrorAndLeavesTheOldFile) {
  TBitmap picture(300, 300, pf32bit);
  for (int x = 0; x < 300; ++x) picture.SetPixel(x, x, clRed);
  for (const char* name : kNames) {
    writeText(name, "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const rlimit limit{300, 300};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      const std::string message = ErrorMessageOf([&] { SavePictureFile(picture, path(name), yes); });
      ::_exit(message.find("を作成できません") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << name << " ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << name << ": the save did not report the failure";
    EXPECT_EQ(readText(name), "old") << name;
  }
  EXPECT_EQ(filesInFolder(), 3) << "no temporary file is left";
}
