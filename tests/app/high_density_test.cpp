// The program's pixel art on a high-density screen: run at any scale factor (the window tests
// run at 1; the desktop end-to-end tests run them again at 2 and 1.5), every picture must be
// shown as sharp blocks of device pixels and keep its logical size.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QWindow>
#include <optional>

#include "app/app_fixture.h"
#include "app/cursor_slots.h"
#include "app/help_window.h"
#include "app/sharp_pixels.h"
#include "draw/ui/pstate_panel.h"
#include "fractal/ui/fractal_form.h"
#include "widgets/bitmap_image.h"
#include "widgets/picture_box.h"
#include "widgets/pixel_art.h"
#include "widgets/toolbar_icons.h"
#include "windows/tool_palette.h"
#include "windows/zoom_form.h"

namespace {

qreal Ratio(const QWidget* widget) { return widget->devicePixelRatioF(); }

// The picture box as the screen shows it against its own bitmap.
void ExpectSharp(TPictureBox* box, const char* name) {
  const QImage shown = box->grab().toImage();
  EXPECT_EQ(shown.size(), (QSizeF(box->size()) * Ratio(box)).toSize()) << name;
  EXPECT_EQ(SharpnessFault(shown, ToQImage(box->Picture()), Ratio(box)), QString()) << name;
}

// Where a copy of glyph (device pixels, its opaque pixels only) sits inside shown, if anywhere.
std::optional<QPoint> Find(const QImage& shown, const QImage& glyph) {
  for (int top = 0; top + glyph.height() <= shown.height(); ++top) {
    for (int left = 0; left + glyph.width() <= shown.width(); ++left) {
      bool same = true;
      for (int y = 0; y < glyph.height() && same; ++y)
        for (int x = 0; x < glyph.width() && same; ++x)
          same = qAlpha(glyph.pixel(x, y)) != 255 || shown.pixel(left + x, top + y) == glyph.pixel(x, y);
      if (same) return QPoint(left, top);
    }
  }
  return std::nullopt;
}

class HighDensityTest : public AppTest {};

TEST_F(HighDensityTest, SettingsZoomAndFractalPicturesAreSharpBlocks) {
  TPstatePanel& panel = *form1().PstatePanel;
  for (auto [box, name] : {std::pair{panel.penshape, "penshape"}, {panel.penimage, "penimage"},
                           {panel.fontimage, "fontimage"}, {panel.brImage, "brImage"},
                           {panel.pmimage, "pmimage"}, {panel.rgbimage, "rgbimage"}, {panel.cgrid, "cgrid"}}) {
    ExpectSharp(box, name);
  }
  // A wider pen changes the picture; it stays sharp.
  panel.penwidth->SetPosition(7);
  ExpectSharp(panel.penimage, "penimage at pen 7");

  form1().Azoom()->trigger();
  TForm4& zoom = *form1().ZoomForm;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&zoom));
  ExpectSharp(zoom.zoomage, "zoomage");
  ExpectSharp(zoom.panel2, "panel2");

  form1().Afrac()->trigger();
  TForm3& fractal = *form1().FractalForm;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fractal));
  fractal.fcomb->setCurrentIndex(6);  // a preset that shows the colour strip
  fractal.fcombChange();
  for (auto [box, name] : {std::pair{fractal.Imk, "Imk"}, {fractal.ImBr, "ImBr"}, {fractal.ImS, "ImS"},
                           {fractal.autocolor, "autocolor"}}) {
    ExpectSharp(box, name);
  }
  fractal.page->setCurrentIndex(2);
  ExpectSharp(fractal.edmage, "edmage");
  ExpectSharp(fractal.autocolorE, "autocolorE");
}

TEST_F(HighDensityTest, IconsOnThePaletteAndTheCursorsAreEnlargedByRepeatingPixels) {
  const qreal ratio = Ratio(&form1());
  const QImage curve(QStringLiteral(":/icons/12_curve.png"));
  ASSERT_FALSE(curve.isNull());
  // The icon at any ratio, also one no screen has.
  for (qreal r : {1.0, 1.25, 1.5, 2.0, 3.0, ratio}) {
    const QImage glyph = ToolbarIcon(12).pixmap(QSize(16, 16), r).toImage();
    EXPECT_EQ(glyph.size(), (QSizeF(16, 16) * r).toSize()) << r;
    EXPECT_EQ(SharpnessFault(glyph, curve, r), QString()) << r;
  }
  // The icon as the buttons draw it: a plain one, and the N-gon's with its caption over it.
  TForm2& palette = *form1().ToolPalette;
  for (QToolButton* button : {static_cast<QToolButton*>(palette.curvebutton), static_cast<QToolButton*>(palette.polybutton)}) {
    const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage glyph = button->icon().pixmap(QSize(16, 16), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    if (button == palette.polybutton) glyph = glyph.copy(0, 0, static_cast<int>(3 * ratio), glyph.height());
    EXPECT_TRUE(Find(shown, glyph)) << button->objectName().toStdString();
  }

  const int factor = PixelArtFactor(ratio);
  for (int slot : {kToolFreehand, kToolAreaFill, kToolText}) {
    const QPixmap cursor = app().Cursors().Slot(slot).pixmap();
    const QImage picture(QStringLiteral(":/cursors/%1.xpm").arg(QLatin1String(TCursorSlots::ResourceName(slot))));
    EXPECT_EQ(cursor.size(), QSize(32, 32) * factor) << slot;
    EXPECT_EQ(cursor.devicePixelRatio(), factor) << slot;
    EXPECT_EQ(SharpnessFault(cursor.toImage(), picture, factor), QString()) << slot;
  }
}

// The screen as it shows a logical rectangle, in device pixels.
QImage ScreenShows(QScreen* screen, QRect logical) {
  return screen->grabWindow(0, logical.x(), logical.y(), logical.width(), logical.height()).toImage();
}

TEST_F(HighDensityTest, ThePalettesStaircaseIsCutInDevicePixels) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display";
  TForm2& palette = *form1().ToolPalette;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
  QTest::qWait(300);
  const QRect outer = palette.frameGeometry();
  const QImage shown = ScreenShows(palette.screen(), outer);
  const QImage own = palette.grab().toImage();
  palette.hide();
  QTest::qWait(300);
  const QImage under = ScreenShows(palette.screen(), outer);
  const qreal ratio = Ratio(&palette);
  ASSERT_EQ(shown.size(), (QSizeF(outer.size()) * ratio).toSize());
  ASSERT_EQ(palette.geometry(), outer) << "no window manager frames the window here";

  // Left of the memo (whose text cursor blinks): inside the outline the palette's own pixels,
  // outside what lies beneath. At a fractional ratio the device pixels the edge crosses may
  // go either way.
  const QRegion inside(TForm2::OutlinePolygon(outer.size(), palette.height()), Qt::WindingFill);
  const bool whole = ratio == std::floor(ratio);
  const auto in = [&inside](QPointF p) { return inside.contains(QPoint(int(std::floor(p.x())), int(std::floor(p.y())))); };
  int insideCount = 0, outsideCount = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < int(60 * ratio); ++x) {
      const QPointF centre((x + 0.5) / ratio, (y + 0.5) / ratio);
      const bool cut = !in(centre);
      if (!whole && (in(centre - QPointF(1, 1) / ratio) == cut || in(centre + QPointF(1, 1) / ratio) == cut ||
                     in(centre + QPointF(1, -1) / ratio) == cut || in(centre + QPointF(-1, 1) / ratio) == cut))
        continue;
      const QRgb expected = cut ? under.pixel(x, y) : own.pixel(x, y);
      ASSERT_EQ(shown.pixel(x, y) | 0xFF000000u, expected | 0xFF000000u) << x << "," << y << (cut ? " cut" : " kept");
      ++(cut ? outsideCount : insideCount);
    }
  }
  EXPECT_GT(outsideCount, 0);
  EXPECT_GT(insideCount, 0);
  palette.show();
}

// The logical top left of the document's first picture named file, in the browser's viewport.
std::optional<QPoint> PictureCorner(QTextBrowser* browser, const QString& file) {
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment part = it.fragment();
      if (!part.charFormat().isImageFormat() || !part.charFormat().toImageFormat().name().endsWith(file)) continue;
      QTextCursor at(browser->document());
      at.setPosition(part.position());
      return browser->cursorRect(at).topLeft();
    }
  }
  return std::nullopt;
}

TEST_F(HighDensityTest, HelpPicturesAreSharpBlocks) {
  app().HelpWindow().ShowKeyword(QStringLiteral("拡大図"));
  QTextBrowser* browser = app().HelpWindow().Browser();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&app().HelpWindow()));
  const QImage picture(QStringLiteral(":/help/windows/TForm4.png"));
  const std::optional<QPoint> corner = PictureCorner(browser, QStringLiteral("TForm4.png"));
  ASSERT_TRUE(corner);
  const qreal ratio = Ratio(browser);
  const QImage shown = browser->viewport()->grab().toImage();
  // The picture sits in its line below the text cursor's top; its left edge is the cursor's.
  bool found = false;
  const int left = static_cast<int>(std::ceil(corner->x() * ratio));
  for (int top = static_cast<int>(corner->y() * ratio); top < shown.height() - picture.height() && !found; ++top) {
    found = SharpnessFault(shown.copy(left, top, shown.width() - left, shown.height() - top), picture, ratio).isEmpty();
  }
  EXPECT_TRUE(found) << "at " << ratio;
}

}  // namespace
