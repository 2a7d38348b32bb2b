#pragma once
// Runs a drawing script on the program's own raster surface: the same script language as the
// reference GDI tool, so the two outputs can be compared pixel for pixel.
//
// Commands that have no counterpart on this surface (arcs, Bezier curves, dashed and geometric
// pens, border flood fills, text, stretch modes other than colour-on-colour) stop the script
// with an error naming the command. The background mode and colour are accepted and ignored:
// hatched brushes always leave the background alone here.
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "script_words.h"
#include "surface/bitmap.h"

class ScriptRunner {
 public:
  // Writing saves files as the script says; recording keeps the last saved picture and its
  // name instead, so a test can compare it with the reference file of that name.
  enum class Saves { Write, Record };
  explicit ScriptRunner(std::ostream& out, Saves saves = Saves::Write) : out_(out), saves_(saves) {}

  // Runs a script file; raises ScriptError with "file:line: message" on a bad line.
  void RunFile(const std::string& path);
  // The drawing bitmap, or null before the script made one.
  const TBitmap* Target() const { return target_.get(); }
  // With Saves::Record: the picture at the last save and the file name it was saved under.
  const TBitmap* LastSaved() const { return lastSaved_.get(); }
  const std::string& LastSavedName() const { return lastSavedName_; }

 private:
  using Words = std::vector<std::string>;
  void runLine(const std::string& line);
  void dispatch(const Words& w);

  // Bitmaps, files and inspection.
  void cmdBitmap(const Words& w);
  void cmdOpen(const Words& w);
  void cmdDiff(const Words& w);
  void cmdDump(const Words& w);
  void cmdGetPixel(const Words& w);
  void cmdSave(const Words& w);
  void startTarget(std::unique_ptr<TBitmap> bitmap);

  // Tools and state.
  void cmdPen(const Words& w);
  void cmdBrush(const Words& w);
  void cmdClipRect(const Words& w);

  // Drawing.
  void cmdPolygon(const Words& w, bool polyline);
  void cmdFloodFill(const Words& w);
  void cmdBlit(const Words& w, bool stretch);
  void cmdTransparentBlt(const Words& w);
  void cmdPatBlt(const Words& w);

  TBitmap& target();
  TCanvas& canvas() { return target().Canvas(); }
  TBitmap& named(const std::string& name);
  std::unique_ptr<TBitmap> loadFile(const std::string& name) const;
  std::string resolve(const std::string& name) const;
  TColor color(const std::string& word);
  int arg(const Words& w, std::size_t i) const;

  std::ostream& out_;
  const Saves saves_;
  std::unique_ptr<TBitmap> lastSaved_;
  std::string lastSavedName_;
  std::unique_ptr<TBitmap> target_;
  std::map<std::string, std::unique_ptr<TBitmap>> named_;
  std::unique_ptr<TBitmap> brushPattern_;
  std::string baseDir_;
  bool winding_ = false;
  int includeDepth_ = 0;
};
