#include "views/analysis/list_shortcuts.h"

namespace trafikon {

ListShortcut ShortcutFor(int key, bool ctrl, bool shift) {
    if (!ctrl)
        return ListShortcut::None;
    if (key == 'C' || key == kInsertKey)
        return shift ? ListShortcut::CopyAll : ListShortcut::Copy;
    if (key == 'V' && !shift)
        return ListShortcut::Open;
    return ListShortcut::None;
}

bool IsOpenableAddress(std::string_view address) {
    auto startsWithNoCase = [&](std::string_view prefix) {
        if (address.size() <= prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            char c = address[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != prefix[i])
                return false;
        }
        return true;
    };
    if (!startsWithNoCase("http://") && !startsWithNoCase("https://"))
        return false;
    // Control characters have no place in an address handed to another program.
    for (char c : address)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

std::string SitePageAddress(std::string_view siteUrl, std::string_view page) {
    std::string out(siteUrl);
    out.append(page);
    return out;
}

}  // namespace trafikon
