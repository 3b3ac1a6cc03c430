#pragma once
#include <optional>

#include <QWidget>

#include "core/Picture.h"

namespace kelvaro {

// A drawing, to scale in pixels, of a video mode's pixel area with a game's picture inside it:
// the picture at the size the emulator draws it, centred; the unused border shaded; a
// part of the picture that does not fit drawn beyond the mode's edge and hatched. Without
// figures it shows its placeholder text instead.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    void SetPicture(const std::optional<PictureFigures>& picture, const QString& placeholder = {});
    const std::optional<PictureFigures>& Picture() const { return picture_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<PictureFigures> picture_;
    QString placeholder_;
};

} // namespace kelvaro
