// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accelerator_qt.h"

namespace trafikon {

QString WithAccelerator(const QString& text, QString& taken) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;  // "&&" is a plain "&"
            continue;
        }
        taken += text[i + 1].toLower();
        return text;
    }
    for (const bool initialsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (!c.isLetterOrNumber() || taken.contains(c.toLower()))
                continue;
            if (initialsOnly && i > 0 && text[i - 1].isLetterOrNumber())
                continue;
            taken += c.toLower();
            return text.left(i) + QLatin1Char('&') + text.mid(i);
        }
    }
    return text;
}

}  // namespace trafikon
