// The application icon, in every size it was drawn in.
#pragma once

#include <QIcon>

QIcon KestrelIcon();
