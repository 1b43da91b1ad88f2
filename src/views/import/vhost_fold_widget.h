// SPDX-License-Identifier: GPL-3.0-or-later
// The add-log dialog's choice of how virtual hosts are folded into sites: two
// check boxes, a ":port" suffix and a leading "www." making no other site
// (both checked at each showing), shown while a file to import has the
// virtual host among its fields.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "import/import_logs.h"
#include "import/vhost_sites.h"

class QCheckBox;

namespace trafikon {

class VhostFoldWidget : public QWidget {
    Q_OBJECT
  public:
    explicit VhostFoldWidget(QWidget* parent = nullptr);

    // Puts the texts of the language in use and checks both boxes.
    void ApplyTexts();
    // Shown when the format shown, or that of one of `files`, has the virtual host.
    void ShowFor(const FieldFormat& shown, const std::vector<LogToImport>& files);
    // The routing of an import into the site of `siteDir` of the store in
    // `programDir`; a site made gets its settings (state/site_settings.h).
    VhostRouting Routing(const std::string& programDir, const std::string& siteDir) const;

    QCheckBox* portBox() const { return CBPort; }
    QCheckBox* wwwBox() const { return CBWww; }

  private:
    QCheckBox* CBPort;
    QCheckBox* CBWww;
};

}  // namespace trafikon
