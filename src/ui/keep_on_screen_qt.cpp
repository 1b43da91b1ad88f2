// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keep_on_screen_qt.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace trafikon {

void KeepOnScreen(QWidget* window) {
    const QScreen* s = window->screen();
    if (!s || !window->isVisible())
        return;
    const QRect room = s->availableGeometry();
    const QRect frame = window->frameGeometry();
    QPoint place = window->pos();
    if (frame.right() > room.right())
        place.rx() -= std::min(frame.right() - room.right(), frame.left() - room.left());
    if (frame.bottom() > room.bottom())
        place.ry() -= std::min(frame.bottom() - room.bottom(), frame.top() - room.top());
    window->move(place);
}

}  // namespace trafikon
