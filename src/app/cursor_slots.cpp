#include "app/cursor_slots.h"

#include <QGuiApplication>
#include <QPixmap>

#include "widgets/pixel_art.h"

namespace {

// Hot spots sit where each tool acts: the centre of the cross for the shape tools, the pencil
// and dropper tips, the drip of the bucket, the nozzle of the spray can, the I-beam's middle.
struct CursorResource {
  const char* name;
  int hotX;
  int hotY;
};

constexpr std::array<CursorResource, kToolCount> kSlots{{
    {"pen", 1, 30},     {"line", 7, 7},    {"ellip", 7, 7},  {"tri", 7, 7},
    {"rect", 7, 7},     {"round", 7, 7},   {"poly", 7, 7},   {"copy", 7, 7},
    {"flood", 3, 27},   {"spoit", 1, 30},  {"spray", 2, 5},  {"copy", 7, 7},
    {"paste", 7, 7},    {"stanp", 7, 7},   {"stretch", 7, 7}, {"rotate", 7, 7},
    {"text", 7, 10},    {"tline", 7, 10},
}};

}  // namespace

TCursorSlots::TCursorSlots() {
  // The hot spots are in the pictures' own pixels, which stay logical pixels when enlarged.
  const int factor = PixelArtFactor(qApp->devicePixelRatio());
  for (int i = 0; i < kToolCount; ++i) {
    const QPixmap picture(QStringLiteral(":/cursors/%1.xpm").arg(QLatin1String(kSlots[i].name)));
    if (picture.isNull()) continue;
    cursors_[i] = QCursor(EnlargedPixelArt(picture, factor), kSlots[i].hotX, kSlots[i].hotY);
  }
}

const char* TCursorSlots::ResourceName(int slot) { return kSlots[slot - 1].name; }
