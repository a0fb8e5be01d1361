// The pictures of the about box, drawn at run time.
#pragma once

#include <QPixmap>

// The banner: the program's name beside a hovering kestrel on an evening sky.
QPixmap DrawAboutBanner(const QSize& size);
// The picture beside the ownership line: a kestrel over a row of database drums.
QPixmap DrawAboutPicture(const QSize& size);
