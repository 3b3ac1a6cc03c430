#include "ui/PictureView.h"

#include <algorithm>

#include <QPainter>
#include <QPalette>

namespace kelvaro {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picPicture"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureView::SetPicture(const std::optional<PictureFigures>& picture, const QString& placeholder) {
    picture_ = picture;
    placeholder_ = placeholder;
    setToolTip(picture_ ? QString() : placeholder_);
    update();
}

QSize PictureView::sizeHint() const { return {320, 240}; }
QSize PictureView::minimumSizeHint() const { return {256, 192}; }

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF area = QRectF(rect()).adjusted(6, 6, -6, -6);
    if (!picture_ || picture_->ModeWidth <= 0 || picture_->ModeHeight <= 0 || area.width() <= 0 || area.height() <= 0) {
        p.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
        return;
    }
    const PictureFigures& f = *picture_;
    // In the mode's pixels: the mode from (0, 0), the scaled picture centred on it, reaching
    // beyond it where it is cut off.
    const double modeW = static_cast<double>(f.ModeWidth), modeH = static_cast<double>(f.ModeHeight);
    const double picW = static_cast<double>(f.ShownWidth);
    const double picH = static_cast<double>(f.ShownHeight);
    const QRectF mode(0, 0, modeW, modeH);
    const QRectF picture((modeW - picW) / 2, (modeH - picH) / 2, picW, picH);
    const QRectF all = mode.united(picture);
    const double scale = std::min(area.width() / all.width(), area.height() / all.height());
    const QPointF origin(area.center().x() - all.center().x() * scale, area.center().y() - all.center().y() * scale);
    auto onScreen = [&](const QRectF& r) {
        return QRectF(origin.x() + r.x() * scale, origin.y() + r.y() * scale, r.width() * scale, r.height() * scale);
    };

    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF modeRect = onScreen(mode), pictureRect = onScreen(picture);
    // The mode's area, shaded where the picture leaves it unused.
    p.fillRect(modeRect, QColor(70, 70, 70));
    // The picture where the mode shows it.
    p.fillRect(pictureRect.intersected(modeRect), QColor(96, 160, 224));
    // What the mode cannot show: outside the mode's area, hatched.
    p.save();
    p.setClipRegion(QRegion(pictureRect.toAlignedRect()).subtracted(QRegion(modeRect.toAlignedRect())));
    p.fillRect(pictureRect, QBrush(QColor(200, 40, 40), Qt::BDiagPattern));
    p.restore();
    p.setPen(QPen(QColor(200, 40, 40), 1, Qt::DashLine));
    if (f.CutColumns > 0 || f.CutLines > 0) p.drawRect(pictureRect);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.drawRect(modeRect);

    // The picture's size and scale, written on it.
    const QRectF shown = pictureRect.intersected(modeRect);
    p.setPen(Qt::white);
    QString label = QString::number(f.NativeWidth) + QStringLiteral(" x ") + QString::number(f.NativeHeight);
    if (f.ShownWidth != f.NativeWidth || f.ShownHeight != f.NativeHeight)
        label += QStringLiteral("\nshown ") + QString::number(f.ShownWidth) + QStringLiteral(" x ") +
                 QString::number(f.ShownHeight);
    if (f.Turned) label += QStringLiteral("\nturned");
    p.drawText(shown, Qt::AlignCenter, label);
}

} // namespace kelvaro
