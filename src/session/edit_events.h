#pragma once
// The one list of those who follow the picture of the editing session: the canvas on screen,
// the history of many steps, the recovery copy. Every change of the picture is told here,
// whoever made it (a stroke, an image operation, a paste, Undo, the history's undo and redo).
#include <functional>
#include <vector>

#include "surface/geometry.h"

class TEditListener {
 public:
  // Pixels inside r changed (right and bottom exclusive); size and format are as they were.
  virtual void PictureChanged(const TRect& r) = 0;
  // The picture was replaced: its size or format may differ.
  virtual void PictureReplaced() = 0;
  // The picture is what its file holds, or a new picture: after Open, New and Save.
  virtual void PictureClean() = 0;

 protected:
  ~TEditListener() = default;
};

// A listener made of functions; an empty one is not called.
struct TEditFollower final : TEditListener {
  std::function<void(const TRect&)> changed;
  std::function<void()> replaced;
  std::function<void()> clean;

  void PictureChanged(const TRect& r) override;
  void PictureReplaced() override;
  void PictureClean() override;
};

class TEditEvents {
 public:
  // Listeners are told in the order they subscribed; one subscribed twice is told once.
  void Subscribe(TEditListener& listener);
  void Unsubscribe(TEditListener& listener);
  // Tells every listener but source (which made the change and knows it already).
  void Changed(const TRect& r, const TEditListener* source = nullptr);
  void Replaced(const TEditListener* source = nullptr);
  void Clean();

 private:
  // A listener may unsubscribe while it is told; the others are told all the same.
  template <class Tell>
  void tellAll(const TEditListener* source, Tell tell);

  std::vector<TEditListener*> listeners_;
};
