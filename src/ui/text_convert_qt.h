// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion between the store's Windows-1252 bytes and QString, done only at
// the widget boundary.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace trafikon {

QString FromCp1252(std::string_view bytes);
// Characters without a Windows-1252 byte become '?'.
std::string ToCp1252(const QString& text);

// Texts from a log or the store, as widgets show them. A widget never gets
// more than kDisplayTextLimit characters of one: longer texts are cut there
// and end in an ellipsis (the store keeps them whole; copy commands copy them
// whole). Text layout of a multi-megabyte line would freeze the interface.
inline constexpr qsizetype kDisplayTextLimit = 4000;
QString DisplayText(std::string_view bytes);
QString DisplayText(const QString& text);
// A log line as the log has it: UTF-8 when its bytes are valid UTF-8 (paths
// and queries of a UTF-8 site), Windows-1252 otherwise; NUL bytes show as
// "\0". Cut as above.
QString LogLineText(std::string_view bytes);

// A tooltip showing `text` as plain text (cut as above): widgets show a
// tooltip that looks like markup as rich text, so it is escaped and kept on
// its own lines. Empty for an empty text (no tooltip).
QString PlainToolTip(const QString& text);

// Shorthand for a language entry of the program-wide table, as a QString.
QString Tr(int entry);

}  // namespace trafikon
