#include "shell/text_convert_qt.h"

#include "shell/app_state.h"

namespace trafikon {
namespace {

// Unicode of the bytes 0x80..0x9F; 0 where Windows-1252 has no character there
// (those bytes are shown as their Latin-1 control code, so nothing is lost).
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

QString FromCp1252(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* p = out.data();
    for (unsigned char c : bytes) {
        char16_t u = c;
        if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0)
            u = kHigh[c - 0x80];
        *p++ = QChar(u);
    }
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
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == u || (kHigh[i] == 0 && u == 0x80 + i)) {
                b = static_cast<char>(0x80 + i);
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
