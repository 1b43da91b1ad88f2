// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/site_title_qt.h"

#include "state/app_state.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

QString WithSiteName(const QString& title) {
    const std::string& site = App().siteCaption;
    return site.empty() ? title : title + QStringLiteral(" - ") + FromCp1252(site);
}

}  // namespace trafikon
