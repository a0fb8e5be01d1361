#include "shell/about_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// A kestrel seen from below, wings spread, head up, centred on the origin, about 64 × 52 units.
void DrawKestrel(QPainter& p, const QPointF& centre, qreal scale, const QColor& colour) {
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    p.setPen(QPen(colour.darker(160), 1.2));
    p.setBrush(colour);
    for (int side : {-1, 1}) {
        QPainterPath wing;
        wing.moveTo(side * 3, -5);
        wing.cubicTo(side * 12, -13, side * 24, -12, side * 32, -2);
        wing.cubicTo(side * 22, -3, side * 12, 1, side * 3, 5);
        wing.closeSubpath();
        p.drawPath(wing);
    }
    QPainterPath tail;
    tail.moveTo(-3, 8);
    tail.lineTo(3, 8);
    tail.lineTo(6, 26);
    tail.quadTo(0, 28, -6, 26);
    tail.closeSubpath();
    p.drawPath(tail);
    p.drawEllipse(QPointF(0, 0), 5, 11);
    p.drawEllipse(QPointF(0, -13), 4, 4);
    // The dark band at the end of the tail and the dark wing tips.
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(220));
    p.drawRect(QRectF(-5.5, 22, 11, 2.5));
    for (int side : {-1, 1})
        p.drawEllipse(QPointF(side * 28, -4), 3.5, 2);
    p.restore();
}

// A database drum: a cylinder with a lit top.
void DrawDrum(QPainter& p, const QRectF& r, const QColor& colour) {
    const qreal lid = r.height() / 5;
    QLinearGradient side(r.topLeft(), r.topRight());
    side.setColorAt(0, colour.darker(130));
    side.setColorAt(0.4, colour.lighter(130));
    side.setColorAt(1, colour.darker(160));
    p.setPen(QPen(colour.darker(200), 1));
    p.setBrush(side);
    QPainterPath body;
    body.moveTo(r.left(), r.top() + lid / 2);
    body.lineTo(r.left(), r.bottom() - lid / 2);
    body.arcTo(QRectF(r.left(), r.bottom() - lid, r.width(), lid), 180, 180);
    body.lineTo(r.right(), r.top() + lid / 2);
    body.closeSubpath();
    p.drawPath(body);
    // Two bands round the drum.
    p.setBrush(Qt::NoBrush);
    for (int band = 1; band <= 2; ++band) {
        const qreal y = r.top() + band * (r.height() - lid) / 3;
        p.drawArc(QRectF(r.left(), y, r.width(), lid), 180 * 16, 180 * 16);
    }
    p.setBrush(colour.lighter(150));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), lid));
}

// Fills the whole picture with a sky running from its top left corner to `end` through the
// colours of `stops`, and sets the painter to smooth edges for what is drawn on it.
void PaintSky(QPainter& p, const QRectF& all, const QPointF& end, const QGradientStops& stops) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(all.topLeft(), end);
    sky.setStops(stops);
    p.fillRect(all, sky);
}

} // namespace

QPixmap DrawAboutBanner(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    PaintSky(p, all, all.topRight(),
             {{0, QColor(0, 0, 96)}, {0.65, QColor(24, 64, 140)}, {1, QColor(232, 148, 64)}});
    // A low sun behind the bird.
    QRadialGradient sun(QPointF(all.width() * 0.84, all.height() * 0.55), all.height() * 0.7);
    sun.setColorAt(0, QColor(255, 226, 140, 230));
    sun.setColorAt(1, QColor(255, 226, 140, 0));
    p.fillRect(all, sun);
    DrawKestrel(p, QPointF(all.width() * 0.84, all.height() * 0.42), all.height() / 70.0,
                QColor(176, 92, 40));

    QFont title(QStringLiteral("Sans Serif"));
    title.setStyleHint(QFont::SansSerif);
    title.setBold(true);
    title.setItalic(true);
    title.setPixelSize(int(all.height() * 0.42));
    p.setFont(title);
    const QRectF titleBox(all.width() * 0.05, 0, all.width() * 0.7, all.height() * 0.68);
    p.setPen(QColor(0, 0, 40));
    p.drawText(titleBox.translated(1.5, 1.5), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Kestrel"));
    p.setPen(Qt::white);
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Kestrel"));
    QFont sub = title;
    sub.setItalic(false);
    sub.setBold(false);
    sub.setPixelSize(int(all.height() * 0.2));
    sub.setLetterSpacing(QFont::PercentageSpacing, 130);
    p.setFont(sub);
    p.setPen(QColor(255, 214, 150));
    p.drawText(
        QRectF(all.width() * 0.06, all.height() * 0.68, all.width() * 0.7, all.height() * 0.3),
        Qt::AlignLeft | Qt::AlignTop, QStringLiteral("MANAGER"));
    return pm;
}

QPixmap DrawAboutPicture(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    PaintSky(p, all, all.bottomLeft(), {{0, QColor(150, 196, 240)}, {1, QColor(236, 244, 252)}});
    // Ground line with the drums standing on it.
    p.fillRect(QRectF(0, all.height() * 0.88, all.width(), all.height() * 0.12),
               QColor(120, 150, 90));
    const QColor colours[] = {QColor(40, 90, 170), QColor(200, 120, 40), QColor(60, 140, 90)};
    const qreal w = all.width() * 0.2;
    const qreal h = all.height() * 0.42;
    for (int i = 0; i < 3; ++i) {
        const qreal x = all.width() * (0.12 + 0.28 * i);
        const qreal shorter = (i == 1) ? 0 : h * 0.18;
        DrawDrum(p, QRectF(x, all.height() * 0.9 - h + shorter, w, h - shorter), colours[i]);
    }
    // Lines joining the drums, as a network would.
    p.setPen(QPen(QColor(60, 60, 60), 1.5, Qt::DotLine));
    const qreal y = all.height() * 0.8;
    p.drawLine(QPointF(all.width() * 0.32, y), QPointF(all.width() * 0.4, y));
    p.drawLine(QPointF(all.width() * 0.6, y), QPointF(all.width() * 0.68, y));
    DrawKestrel(p, QPointF(all.width() * 0.5, all.height() * 0.25), all.height() / 110.0,
                QColor(176, 92, 40));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    return pm;
}
