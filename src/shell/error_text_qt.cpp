#include "shell/error_text_qt.h"

#include <QFile>

namespace trafikon {

QString IoErrorText(const IoError& error) {
    // Paths are file-system names; the reason is the C library's text in the user's locale.
    return QFile::decodeName(QByteArray::fromStdString(error.path())) + QStringLiteral("\n") +
           QString::fromLocal8Bit(QByteArray::fromStdString(error.reason()));
}

}  // namespace trafikon
