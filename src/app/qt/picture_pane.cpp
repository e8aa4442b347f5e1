#include "app/qt/picture_pane.h"

#include <QImageReader>
#include <QPainter>

namespace vortila {

PicturePane::PicturePane(QWidget* parent) : QWidget(parent) {
  setObjectName("immagine");
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  setFocusPolicy(Qt::NoFocus);
}

void PicturePane::Show(const QString& path, const QString& fileName) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  picture_ = reader.read();
  scaled_ = QPixmap();
  fileName_ = fileName;
  setAccessibleName(QStringLiteral("Immagine ") + fileName);
  setAccessibleDescription(picture_.isNull() ? QStringLiteral("Immagine non disponibile")
                                             : QString());
  update();
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
