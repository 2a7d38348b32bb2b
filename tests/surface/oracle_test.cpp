// The reference pictures under surface/oracle: each script's drawing must match, pixel for
// pixel, the picture the GDI reference tool saved for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/bmp_file.h"
#include "support/gdi_script.h"

namespace {

TEST(Oracle, ScriptsDrawTheirReferencePictures) {
  const std::filesystem::path dir = std::filesystem::path(ZUDOZO_TESTS_DIR) / "surface" / "oracle";
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".gdi") continue;
    ++scripts;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const GdiScriptResult run = RunGdiScript(text.str());
    ASSERT_TRUE(run.bitmap) << entry.path();
    TBitmap reference;
    LoadBmpFile((dir / run.saved).string(), reference);
    const TBitmap& ours = *run.bitmap;
    ASSERT_EQ(ours.Width(), reference.Width());
    ASSERT_EQ(ours.Height(), reference.Height());
    int wrong = 0;
    std::string first;
    for (int y = 0; y < ours.Height(); ++y)
      for (int x = 0; x < ours.Width(); ++x)
        if (ours.GetPixel(x, y) != reference.GetPixel(x, y) && wrong++ == 0)
          first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    EXPECT_EQ(wrong, 0) << entry.path().filename() << ": first at " << first;
  }
  EXPECT_GE(scripts, 10);
}

}  // namespace
