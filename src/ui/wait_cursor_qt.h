// SPDX-License-Identifier: GPL-3.0-or-later
// The application's wait cursor for the life of a scope.
#pragma once

#include <QApplication>

namespace trafikon {

class WaitCursor {
  public:
    explicit WaitCursor(Qt::CursorShape shape = Qt::WaitCursor) {
        QApplication::setOverrideCursor(shape);
    }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace trafikon
