#include "session/edit_events.h"

#include <algorithm>

void TEditFollower::PictureChanged(const TRect& r) {
  if (changed) changed(r);
}

void TEditFollower::PictureReplaced() {
  if (replaced) replaced();
}

void TEditFollower::PictureClean() {
  if (clean) clean();
}

void TEditEvents::Subscribe(TEditListener& listener) {
  if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end()) {
    listeners_.push_back(&listener);
  }
}

void TEditEvents::Unsubscribe(TEditListener& listener) {
  std::erase(listeners_, &listener);
}

template <class Tell>
void TEditEvents::tellAll(const TEditListener* source, Tell tell) {
  const std::vector<TEditListener*> told = listeners_;
  for (TEditListener* listener : told) {
    const bool stillThere = std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
    if (listener != source && stillThere) tell(*listener);
  }
}

void TEditEvents::Changed(const TRect& r, const TEditListener* source) {
  tellAll(source, [&r](TEditListener& listener) { listener.PictureChanged(r); });
}

void TEditEvents::Replaced(const TEditListener* source) {
  tellAll(source, [](TEditListener& listener) { listener.PictureReplaced(); });
}

void TEditEvents::Clean() {
  tellAll(nullptr, [](TEditListener& listener) { listener.PictureClean(); });
}
