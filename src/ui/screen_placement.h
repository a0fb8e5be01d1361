// Where windows open: centred on the screen they are shown on.
#pragma once

class QWidget;

// Moves the window so that its frame is centred on the available area of its screen (its
// parent's screen when it has a parent, else its own, else the primary screen).
void CentreOnScreen(QWidget& window);
