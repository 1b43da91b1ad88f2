// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/error_text_qt.h"

#include <QFile>

#include "store/store_lock.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

QString IoErrorText(const IoError& error) {
    if (dynamic_cast<const StoreBusy*>(&error))
        return Tr(lang::kStoreBusyText);
    if (dynamic_cast<const NotRegularFile*>(&error))
        return QFile::decodeName(QByteArray::fromStdString(error.path())) + QStringLiteral("\n") +
               Tr(lang::kNotRegularFileText);
    // Paths are file-system names; the reason is the C library's text in the user's locale.
    return QFile::decodeName(QByteArray::fromStdString(error.path())) + QStringLiteral("\n") +
           QString::fromLocal8Bit(QByteArray::fromStdString(error.reason()));
}

}  // namespace trafikon
