// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_convert_qt.h"

#include <QStringDecoder>
#include <algorithm>
#include "state/app_state.h"
#include "store/cp1252.h"

namespace trafikon {

// Windows and reports cut long texts at the same length.
static_assert(static_cast<std::size_t>(kDisplayTextLimit) == kShownTextLimit);

QString FromCp1252(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* p = out.data();
    for (unsigned char c : bytes)
        *p++ = QChar(Cp1252ToUnicode(c));
    return out;
}

std::string ToCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char b = '?';
        for (int i = 0x80; i < 0xA0; ++i) {
            if (Cp1252ToUnicode(static_cast<unsigned char>(i)) == u) {
                b = static_cast<char>(i);
                break;
            }
        }
        out.push_back(b);
    }
    return out;
}

QString DisplayText(std::string_view bytes) {
    if (bytes.size() <= static_cast<std::size_t>(kDisplayTextLimit))
        return FromCp1252(bytes);
    return FromCp1252(bytes.substr(0, static_cast<std::size_t>(kDisplayTextLimit))) + QChar(0x2026);
}

QString LogLineText(std::string_view bytes) {
    const std::string_view shown =
        bytes.substr(0, std::min(bytes.size(), static_cast<std::size_t>(kDisplayTextLimit)));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(QByteArrayView(shown.data(), static_cast<qsizetype>(shown.size())));
    if (utf8.hasError())
        text = FromCp1252(shown);
    text.replace(QChar(0), QStringLiteral("\\0"));
    return shown.size() < bytes.size() ? text + QChar(0x2026) : text;
}

QString DisplayText(const QString& text) {
    return text.size() <= kDisplayTextLimit ? text : text.left(kDisplayTextLimit) + QChar(0x2026);
}

QString PlainToolTip(const QString& text) {
    if (text.isEmpty())
        return {};
    return QStringLiteral("<span style=\"white-space:pre-wrap\">") +
           DisplayText(text).toHtmlEscaped() + QStringLiteral("</span>");
}

QString Tr(int entry) {
    return FromCp1252(App().Text(entry));
}

}  // namespace trafikon
