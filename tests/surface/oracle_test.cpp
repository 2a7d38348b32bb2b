// The reference pictures under surface/oracle: every script runs on our surface and the picture
// at its last save must match, by colour, the picture the GDI reference tool saved for it
// (regenerate.sh there redraws them). A script may allow some differing pixels with a line
// "# tolerance: N" and says why; every other script must match exactly. The test prints a table
// of cases per family and pixel format.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "document/bmp_file.h"
#include "script_runner.h"

namespace {

namespace fs = std::filesystem;

int toleranceOf(const fs::path& script) {
  std::ifstream in(script);
  const std::string key = "# tolerance:";
  for (std::string line; std::getline(in, line);)
    if (line.rfind(key, 0) == 0) return std::stoi(line.substr(key.size()));
  return 0;
}

int differingPixels(const TBitmap& ours, const TBitmap& reference) {
  if (ours.Width() != reference.Width() || ours.Height() != reference.Height())
    return ours.Width() * ours.Height() + 1;
  int count = 0;
  for (int y = 0; y < ours.Height(); ++y)
    for (int x = 0; x < ours.Width(); ++x) count += ours.GetPixel(x, y) != reference.GetPixel(x, y);
  return count;
}

struct FamilyRow {
  int cases = 0;
  int exact = 0;
  int worst = 0;
};

TEST(Oracle, ScriptsDrawTheirReferencePictures) {
  const fs::path dir = fs::path(ZUDOZO_TESTS_DIR) / "surface" / "oracle";
  std::vector<fs::path> scripts;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".gdi") scripts.push_back(entry.path());
  std::sort(scripts.begin(), scripts.end());
  EXPECT_GE(scripts.size(), 30u);

  std::map<std::string, FamilyRow> table;
  for (const fs::path& script : scripts) {
    std::ostringstream printed;
    ScriptRunner runner(printed, ScriptRunner::Saves::Record);
    ASSERT_NO_THROW(runner.RunFile(script.string())) << script;
    ASSERT_NE(runner.LastSaved(), nullptr) << script << " saves no picture";
    TBitmap reference;
    LoadBmpFile((dir / runner.LastSavedName()).string(), reference);
    const TBitmap& ours = *runner.LastSaved();
    const int differing = differingPixels(ours, reference);
    EXPECT_LE(differing, toleranceOf(script)) << script.filename();

    const std::string stem = script.stem().string();
    FamilyRow& row = table[stem.substr(0, stem.find('_')) + ", " +
                           std::to_string(BitsPerPixel(ours.PixelFormat())) + " bpp"];
    row.cases++;
    row.exact += differing == 0;
    row.worst = std::max(row.worst, differing);
  }
  std::cout << "family, format: cases, exact, worst differing pixels\n";
  for (const auto& [key, row] : table)
    std::cout << "  " << key << ": " << row.cases << ", " << row.exact << ", " << row.worst << "\n";
}

}  // namespace
