#include "draw/ui/font_name_box.h"

#include <QSignalBlocker>
#include <QStringList>

#include "surface/font_list.h"

void TFontNameBox::AddFamilies() {
  if (added_) return;
  added_ = true;
  QStringList names;
  for (const std::string& family : InstalledFontFamilies()) names << QString::fromStdString(family);
  const QSignalBlocker quiet(this);
  const int index = currentIndex();
  const QString text = currentText();
  addItems(names);  // the first entries of an empty box would be chosen
  setCurrentIndex(index);
  setEditText(text);
}

void TFontNameBox::showPopup() {
  AddFamilies();
  QComboBox::showPopup();
}

void TFontNameBox::focusInEvent(QFocusEvent* event) {
  AddFamilies();
  QComboBox::focusInEvent(event);
}

void TFontNameBox::wheelEvent(QWheelEvent* event) {
  AddFamilies();
  QComboBox::wheelEvent(event);
}
