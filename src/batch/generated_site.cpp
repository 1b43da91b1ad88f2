// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/generated_site.h"

#include <set>

namespace trafikon::batch::generator {

Site::Site(Random& random, int pageCount) {
    std::set<std::string> seen;
    pages.push_back(MakePage("/", random));
    seen.insert("/");
    while (static_cast<int>(pages.size()) < pageCount) {
        std::string path(random.Pick(kFolders));
        path += random.Pick(kWords);
        if (random.Percent(60)) {
            path += '-';
            path += random.Pick(kWords);
        }
        const std::string_view ending = random.Pick(kPageEndings);
        path += ending;
        if (!seen.insert(path).second)
            path.insert(path.size() - ending.size(), std::to_string(pages.size()));
        pages.push_back(MakePage(path, random));
        Page& page = pages.back();
        page.dynamic = ending == ".php" || ending == ".asp";
        page.firstImage = images.size();
        page.imageCount = random.Below(5);
        const std::string folder = path.substr(0, path.rfind('/') + 1);
        for (std::size_t i = 0; i < page.imageCount; ++i) {
            std::string image = folder + "images/";
            image += random.Pick(kWords);
            image += std::to_string(i);
            image += random.Pick(kImageEndings);
            images.push_back({image, random.Between(900, 80000)});
        }
    }
}

Page Site::MakePage(const std::string& path, Random& random) {
    Page page;
    page.path = path;
    page.url = std::string(kSite) + path;
    page.bytes = random.Between(1200, 24000);
    return page;
}

}  // namespace trafikon::batch::generator
