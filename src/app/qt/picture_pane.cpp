#include "app/qt/picture_pane.h"

#include <QByteArray>
#include <QDateTime>
#include <QFileInfo>
#include <QPainter>

#include "world/files.h"

namespace vortila {

namespace {

// Room for about six of the game's pictures as read, of 480 by 720 pixels.
constexpr qsizetype kPicturesKeptBytes = 8 << 20;

}  // namespace

PicturePane::PicturePane(QWidget* parent) : QWidget(parent), read_(kPicturesKeptBytes) {
  setObjectName("immagine");
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  setFocusPolicy(Qt::NoFocus);
}

void PicturePane::Show(const QString& path, const QString& fileName,
                       const QString& description) {
  picture_ = Read(path);
  scaled_ = QPixmap();
  fileName_ = fileName;
  setAccessibleName(QStringLiteral("Immagine ") + fileName);
  setAccessibleDescription(picture_.isNull() ? QStringLiteral("Immagine non disponibile")
                                             : description);
  update();
}

// A picture is read again when its file has changed since.
QImage PicturePane::Read(const QString& path) {
  const QFileInfo file(path);
  const QString key = QStringLiteral("%1\n%2\n%3")
                          .arg(path)
                          .arg(file.lastModified().toMSecsSinceEpoch())
                          .arg(file.size());
  if (const QImage* known = read_.object(key)) return *known;
  const std::optional<std::string> bytes =
      ReadRegularFile(path.toStdString(), kLargestPictureFile);
  // Without a format named, the content tells it.
  const QImage picture = bytes ? QImage::fromData(QByteArray::fromRawData(
                                     bytes->data(), static_cast<qsizetype>(bytes->size())))
                               : QImage();
  if (!picture.isNull()) read_.insert(key, new QImage(picture), picture.sizeInBytes());
  return picture;
}

void PicturePane::paintEvent(QPaintEvent*) {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  // Scaled in device pixels, so that the picture stays sharp on a high-density screen.
  const qreal ratio = devicePixelRatioF();
  const QSize target = picture_.size().scaled(size() * ratio, Qt::KeepAspectRatio);
  if (target.isEmpty()) return;
  if (scaled_.size() != target || scaled_.devicePixelRatio() != ratio) {
    scaled_ =
        QPixmap::fromImage(picture_.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    scaled_.setDevicePixelRatio(ratio);
  }
  const QSizeF shown = QSizeF(scaled_.size()) / ratio;
  const QPointF corner((width() - shown.width()) / 2, (height() - shown.height()) / 2);
  QPainter(this).drawPixmap(corner, scaled_);
}

}  // namespace vortila
