// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/file_type.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace trafikon {

namespace {

constexpr std::string_view kPageExtensions =
    ".php,.php3,.htm,.html,.xhtml,.jsp,.asp,.cfm,.dhtml,.cgi,.pl";
constexpr std::string_view kImageExtensions = ".jpeg,.jpg,.gif,.png";
constexpr std::string_view kArchiveExtensions = ".zip,.exe,.rar";

// An extension of up to five characters as one number: its length, then its bytes.
std::uint64_t PackedExtension(const char* s, std::size_t n) {
    std::uint64_t packed = n;
    for (std::size_t i = 0; i < n; ++i)
        packed |= std::uint64_t{static_cast<unsigned char>(s[i])} << (8 * (i + 1));
    return packed;
}

// Every text of one to five characters that starts with "." and occurs in
// the extension lists, with the type of the first list that holds it: an
// extension has the type of the first list where it occurs as a part.
class ExtensionTypes {
  public:
    ExtensionTypes() {
        Add(kPageExtensions, kPageFile);
        Add(kImageExtensions, kImageFile);
        Add(kArchiveExtensions, kArchiveFile);
        std::sort(entries_.begin(), entries_.end());
    }
    FileType TypeOf(std::uint64_t extension) const {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(),
                                         std::pair<std::uint64_t, FileType>{extension, kPageFile});
        return it != entries_.end() && it->first == extension ? it->second : kOtherFile;
    }

  private:
    void Add(std::string_view list, FileType type) {
        for (std::size_t dot = 0; dot < list.size(); ++dot) {
            if (list[dot] != '.')
                continue;
            for (std::size_t n = 1; n <= 5 && dot + n <= list.size(); ++n) {
                const std::uint64_t packed = PackedExtension(list.data() + dot, n);
                if (std::none_of(entries_.begin(), entries_.end(),
                                 [&](const auto& e) { return e.first == packed; }))
                    entries_.emplace_back(packed, type);
            }
        }
    }
    std::vector<std::pair<std::uint64_t, FileType>> entries_;
};

}  // namespace

FileType FileTypeOfPath(std::string_view path) {
    // Only the last five characters are scanned for the dot of an extension.
    const std::size_t n = path.size();
    const std::size_t stop = n > 5 ? n - 5 : 0;
    char ext[5];
    std::size_t extLen = 0;
    for (std::size_t i = n; i > stop; --i) {
        const char c = path[i - 1];
        if (c == '/')
            break;
        if (c == '.') {
            for (std::size_t k = i - 1; k < n; ++k) {
                const char e = path[k];
                ext[extLen++] = (e >= 'A' && e <= 'Z') ? static_cast<char>(e - 'A' + 'a') : e;
            }
            break;
        }
    }
    if (extLen == 0)
        return kPageFile;
    static const ExtensionTypes types;
    return types.TypeOf(PackedExtension(ext, extLen));
}

}  // namespace trafikon
