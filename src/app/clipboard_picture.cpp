#include "app/clipboard_picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>

#include "document/bmp_file.h"
#include "png/viraviz.h"
#include "widgets/bitmap_image.h"

namespace {

const QString kImageType = QStringLiteral("application/x-qt-image");

// The program's own picture on the clipboard: a shared copy of the bitmap, made into an image
// only when some program asks for it, so that copying a large picture costs nothing at once
// and the paste buffer takes it back without a conversion.
class TPictureMimeData : public QMimeData {
 public:
  explicit TPictureMimeData(const TBitmap& picture) { picture_.Assign(picture); }
  const TBitmap& Picture() const { return picture_; }

  QStringList formats() const override { return {kImageType}; }
  bool hasFormat(const QString& type) const override { return type == kImageType; }

 protected:
  QVariant retrieveData(const QString& type, QMetaType) const override {
    if (type != kImageType) return {};
    if (image_.isNull()) image_ = ToQImage(picture_);
    return image_;
  }

 private:
  TBitmap picture_;
  mutable QImage image_;
};

const QStringList kBmpTypes{QStringLiteral("image/bmp"), QStringLiteral("image/x-bmp"),
                            QStringLiteral("image/x-MS-bmp")};

const std::uint8_t* Bytes(const QByteArray& data) { return reinterpret_cast<const std::uint8_t*>(data.constData()); }

void DecodePng(const QByteArray& data, TBitmap& out) {
  VIRAVIZ png;
  png.LoadFromStream(Bytes(data), std::size_t(data.size()));
  TBitmap picture;
  png.AssignTo(picture);
  picture.Transparent = false;
  picture.SetPixelFormat(pf32bit);
  out.Swap(picture);
}

void DecodeBmp(const QByteArray& data, TBitmap& out) {
  TBitmap picture;
  ReadBmp(Bytes(data), std::size_t(data.size()), picture);
  picture.SetPixelFormat(pf32bit);
  out.Swap(picture);
}

}  // namespace

void WriteClipboardPicture(const TBitmap& picture) {
  QGuiApplication::clipboard()->setMimeData(new TPictureMimeData(picture));
}

namespace {

// The clipboard's picture, possibly empty, into picture; false when it holds none.
bool ReadAnyPicture(const QMimeData& mime, TBitmap& picture) {
  if (const auto* own = dynamic_cast<const TPictureMimeData*>(&mime)) {
    picture.Assign(own->Picture());
    picture.Transparent = false;
    return true;
  }
  // Pictures from other programs come as file bytes, or as an image Qt has read. A program
  // that offered a type and then sent nothing (under Wayland one that is being replaced or
  // has gone) holds no picture in it: that is no bad file.
  const QByteArray png = mime.hasFormat(QStringLiteral("image/png")) ? mime.data(QStringLiteral("image/png")) : QByteArray();
  if (!png.isEmpty()) {
    DecodePng(png, picture);
    return true;
  }
  for (const QString& type : kBmpTypes) {
    const QByteArray bmp = mime.hasFormat(type) ? mime.data(type) : QByteArray();
    if (bmp.isEmpty()) continue;
    DecodeBmp(bmp, picture);
    return true;
  }
  if (!mime.hasImage()) return false;
  const QImage image = qvariant_cast<QImage>(mime.imageData());
  if (image.isNull()) return false;
  FromQImage(image, picture);
  return true;
}

// What the clipboard held when it was last read, until it changes: every tool choice reads the
// clipboard, and decoding another program's large picture at each click would slow them all.
// It lives with the clipboard.
class TClipboardReading : public QObject {
 public:
  explicit TClipboardReading(QClipboard* clipboard) : QObject(clipboard) {
    connect(clipboard, &QClipboard::dataChanged, this, [this] {
      current = false;
      refused = false;
    });
  }
  static TClipboardReading& Of(QClipboard* clipboard) {
    for (QObject* child : clipboard->children())
      if (auto* reading = dynamic_cast<TClipboardReading*>(child)) return *reading;
    return *new TClipboardReading(clipboard);
  }

  bool current = false;
  bool found = false;
  bool refused = false;  // reading the content raised an error
  TBitmap picture;  // shares its pixels with those handed out
};

}  // namespace

bool ReadClipboardPicture(TBitmap& out) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  TClipboardReading& last = TClipboardReading::Of(clipboard);
  if (!last.current) {
    const QMimeData* mime = clipboard->mimeData();
    TBitmap picture;
    try {
      // A picture without pixels is no picture: it would leave the document empty.
      last.found = mime && ReadAnyPicture(*mime, picture) && !picture.Empty();
    } catch (...) {
      last.refused = true;
      throw;
    }
    last.picture.Swap(picture);
    last.current = true;
  }
  if (!last.found) return false;
  out.Assign(last.picture);
  return true;
}

void ReadClipboardOnce(const std::function<void()>& read) {
  TClipboardReading& last = TClipboardReading::Of(QGuiApplication::clipboard());
  if (last.refused) return;
  try {
    read();
  } catch (...) {
    last.refused = true;
    throw;
  }
}

std::optional<std::string> ReadClipboardText() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime || !mime->hasText()) return std::nullopt;
  return mime->text().toStdString();
}
