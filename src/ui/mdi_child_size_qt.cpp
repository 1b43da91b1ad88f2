// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mdi_child_size_qt.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace trafikon {

void SizeNewChild(QMdiSubWindow* child, QSize wanted) {
    QWidget* content = child->widget();
    if (!content)
        return;
    const QSize frame = child->sizeHint() - content->sizeHint();
    QSize size = wanted.expandedTo(content->minimumSizeHint()) + frame;
    QMdiArea* area = child->mdiArea();
    if (area)
        size = size.boundedTo(area->viewport()->size());
    child->resize(
        size.expandedTo(child->minimumSizeHint()).expandedTo(content->minimumSizeHint() + frame));
    if (!area)
        return;
    const QSize room = area->viewport()->size();
    QPoint place = child->pos();
    place.setX(std::max(0, std::min(place.x(), room.width() - child->width())));
    place.setY(std::max(0, std::min(place.y(), room.height() - child->height())));
    child->move(place);
}

void ShowNewChild(QMdiSubWindow* child, QSize wanted) {
    QMdiArea* area = child->mdiArea();
    const QMdiSubWindow* active = area ? area->activeSubWindow() : nullptr;
    const bool maximised = active && active != child && active->isMaximized();
    SizeNewChild(child, wanted);
    if (maximised) {
        child->showMaximized();
        return;
    }
    child->show();
    // The area may have placed it meanwhile: back inside the frame.
    if (!child->isMaximized() && !child->isMinimized())
        SizeNewChild(child, wanted);
}

}  // namespace trafikon
