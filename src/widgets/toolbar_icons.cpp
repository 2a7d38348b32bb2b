#include "widgets/toolbar_icons.h"

#include <array>

#include "widgets/pixel_art.h"

namespace {

constexpr std::array<const char*, 30> kIconFiles{{
    "00_exit",    "01_new",     "02_open",     "03_save",    "04_saveas",   "05_undo",
    "06_origin",  "07_pline",   "08_sym",      "09_zoom",    "10_rir",      "11_point",
    "12_curve",   "13_line",    "14_ellipse",  "15_triangle", "16_rect",    "17_rrect",
    "18_polygon", "19_etc",     "20_flood",    "21_spoit",   "22_spray",    "23_select",
    "24_paste",   "25_stamp",   "26_stretch",  "27_rotate",  "28_text",     "29_textline",
}};

}  // namespace

QIcon ToolbarIcon(int index) {
  return PixelArtIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(kIconFiles[index])));
}
