// SPDX-License-Identifier: GPL-3.0-or-later
// The title of a window or dialog that acts on the site shown: with several
// sites, it names that site after its own title.
#pragma once

#include <QString>

namespace trafikon {

// `title`, followed by " - " and the site's name when the store has several sites.
QString WithSiteName(const QString& title);

}  // namespace trafikon
