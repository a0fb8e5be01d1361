#pragma once

#include <QIcon>

// The glyph of toolbar button SpeedButton<number>: a small drawn picture of our own.
QIcon ToolbarGlyph(int number);
