#pragma once
// Placing a window over another window or the desktop, the way every dialog and the main
// window are placed when they open.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top-left position that centres a window with the given client size over rect:
// x = left + width / 2 - clientWidth / 2, and the same for y, dividing with truncation.
QPoint CentredPosition(const QSize& clientSize, const QRect& rect);

// Moves window (its outer top-left corner) to the centred position for its client size.
void CentreOver(QWidget& window, const QRect& rect);
