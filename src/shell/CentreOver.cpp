#include "shell/CentreOver.h"

#include <QWidget>

QPoint CentredPosition(const QSize& clientSize, const QRect& rect) {
    // The width, not right() - left(): QRect::right() is inclusive, a window rectangle's
    // right edge is not, and the formula is the window-rectangle one.
    return QPoint(rect.x() + rect.width() / 2 - clientSize.width() / 2,
                  rect.y() + rect.height() / 2 - clientSize.height() / 2);
}

void CentreOver(QWidget& window, const QRect& rect) {
    window.move(CentredPosition(window.size(), rect));
}
