// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exclusions_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "engine/line_exclusions.h"
#include "state/app_state.h"
#include "text/extra_texts.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/site_title_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

ExclusionsDialog::ExclusionsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(WithSiteName(Tr(lang::kExclusionsButton)));
    auto* hint = new QLabel(Tr(lang::kExclusionsHint), this);
    hint->setWordWrap(true);
    editor_ = new QPlainTextEdit(this);
    QString text;
    try {
        for (const std::string& line : LoadExclusionLines(App().siteDir))
            text += FromCp1252(line) + QLatin1Char('\n');
    } catch (const IoError& e) {
        Messages().Inform(this, IoErrorText(e));
    }
    editor_->setPlainText(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(editor_);
    layout->addWidget(buttons);
    resize(520, 320);
}

bool ExclusionsDialog::Save() {
    Lines lines;
    for (const QString& line : editor_->toPlainText().split(QLatin1Char('\n')))
        lines.push_back(ToCp1252(line.trimmed()));
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    try {
        if (const std::string problem = SaveExclusionLines(App().siteDir, lines);
            !problem.empty()) {
            Messages().Inform(
                this, Tr(lang::kSelectionBadConditions) + QString::fromLocal8Bit(problem.c_str()));
            return false;
        }
    } catch (const IoError& e) {
        Messages().Inform(this, IoErrorText(e));
        return false;
    }
    Messages().Inform(this, Tr(lang::kExclusionsSaved));
    return true;
}

}  // namespace trafikon
