#pragma once

#include <QCache>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace vortila {

// The picture pane `immagine`: one picture file, scaled to fit the pane with its
// proportions kept and centred. The game's pictures are ordinary image files under
// numbered names ending in ".pkd", so the format is told by the file's content.
class PicturePane final : public QWidget {
 public:
  explicit PicturePane(QWidget* parent = nullptr);

  // Shows the picture in `path`, named `fileName` and described by `description` for
  // screen readers. A file that is missing, is not a regular file or cannot be read as a
  // picture leaves the pane empty.
  void Show(const QString& path, const QString& fileName, const QString& description);

  const QString& FileName() const { return fileName_; }
  bool HasPicture() const { return !picture_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage Read(const QString& path);

  // The pictures read last, by file: going back a turn shows again a picture seen a moment
  // ago, and reading a picture file takes longer than all the rest of the turn.
  QCache<QString, QImage> read_;
  QString fileName_;
  QImage picture_;
  // The picture scaled for the pane's last size, so a repaint does not scale it again.
  QPixmap scaled_;
};

}  // namespace vortila
