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

// Shorthand for a language entry of the program-wide table, as a QString.
QString Tr(int entry);

}  // namespace trafikon
