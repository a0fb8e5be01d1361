#include "shell/toolbar_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

struct Glyph {
    int number;
    const char* mark; // one or two characters drawn on the glyph
    QRgb colour;
};

// Server commands blue, saved servers green, users purple, databases amber, tables teal, queries
// slate, Clear and Exit grey and red.
const Glyph kGlyphs[] = {
    {1, "P", 0x2f6fb5},   {2, "S", 0x2f6fb5},   {3, "Pr", 0x2f6fb5},      {4, "K", 0x2f6fb5},
    {5, "Sd", 0xb53a2f},  {7, "Fp", 0x2f6fb5},  {8, "Fh", 0x2f6fb5},      {9, "+", 0x3a8f3a},
    {10, "-", 0x3a8f3a},  {11, "M", 0x3a8f3a},  {12, "Vf", 0x3a8f3a},     {13, "Vi", 0x3a8f3a},
    {14, "U", 0x7a3fa0},  {15, "", 0x9a9a9a},   {17, "DB", 0xc08a1a},     {16, "Du", 0xc08a1a},
    {18, "D+", 0xc08a1a}, {19, "D-", 0xc08a1a}, {20, "T", 0x1f8a8a},      {21, "T+", 0x1f8a8a},
    {22, "Te", 0x1f8a8a}, {23, "T-", 0x1f8a8a}, {24, "\u25B6", 0x4a5a70}, {25, "\u25A0", 0x4a5a70},
    {6, "Sq", 0x4a5a70},  {26, "C", 0x707070},  {27, "X", 0xb53a2f},
};

} // namespace

QIcon ToolbarGlyph(int number) {
    const Glyph* g = nullptr;
    for (const Glyph& candidate : kGlyphs)
        if (candidate.number == number)
            g = &candidate;
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    if (!g)
        return QIcon(pm);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(1, 1, 16, 16), 3, 3);
    p.fillPath(body, QColor(g->colour));
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(QPointF(3, 2.5), QPointF(15, 2.5));
    QFont f;
    f.setPixelSize(std::strlen(g->mark) > 1 && g->mark[0] != '\xE2' ? 8 : 10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, QString::fromUtf8(g->mark));
    return QIcon(pm);
}
