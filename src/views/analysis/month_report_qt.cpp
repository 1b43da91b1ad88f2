// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/month_report_qt.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "report/month_report_files.h"
#include "report/report_csv.h"
#include "report/report_date.h"
#include "state/app_state.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {

QString AskPath(QWidget* parent, bool html, const QString& suggested) {
    if (html)
        return QFileDialog::getSaveFileName(parent, Tr(lang::kTextReportHtml), suggested,
                                            QStringLiteral("HTML (*.html *.htm)"));
    return QFileDialog::getExistingDirectory(parent, Tr(lang::kTextReportCsv), QDir::homePath());
}

}  // namespace

void WriteMonthReportTo(QWidget* parent, const std::string& key, bool html, const QString& path,
                        const std::string& siteDir) {
    const std::string target = path.toLocal8Bit().toStdString();
    const std::string code = App().settings.languageCode();
    try {
        std::vector<std::string> problems;
        const report::MonthReport r = report::LoadMonthReport(
            {siteDir.empty() ? App().siteDir : siteDir, key,
             report::ReportDateToday(App().language), App().settings.maskAddresses()},
            App().language, problems);
        if (html)
            report::WriteReportHtml(r, code, target);
        else
            report::WriteReportCsv(r, target);
        Messages().Inform(parent, Tr(lang::kTextReportWritten) + path);
    } catch (const IoError& e) {
        Messages().Inform(parent, Tr(lang::kTextReportFailed) + QLatin1Char('\n') +
                                      QString::fromLocal8Bit(e.path().c_str()) +
                                      QStringLiteral(": ") +
                                      QString::fromLocal8Bit(e.reason().c_str()));
    }
}

QToolBar* MakeReportToolBar(QWidget* window, std::function<std::string()> key,
                            ReportPathQuestion ask, const std::string& siteDir) {
    if (!ask)
        ask = AskPath;
    auto* bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("reportToolBar"));
    auto* button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("reportButton"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* menu = new QMenu(button);
    for (bool html : {true, false}) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(html ? QStringLiteral("reportHtml") : QStringLiteral("reportCsv"));
        QObject::connect(action, &QAction::triggered, window, [window, key, ask, html, siteDir] {
            const std::string k = key();
            const QString suggested = QDir::home().filePath(
                QStringLiteral("trafikon-%1.html").arg(QString::fromLatin1(k.c_str())));
            const QString path = ask(window, html, suggested);
            if (!path.isEmpty())
                WriteMonthReportTo(window, k, html, path, siteDir);
        });
    }
    button->setMenu(menu);
    bar->addWidget(button);
    ApplyReportToolBarTexts(bar);
    return bar;
}

void ApplyReportToolBarTexts(QToolBar* bar) {
    auto* button = bar->findChild<QToolButton*>(QStringLiteral("reportButton"));
    if (!button)
        return;
    button->setText(Tr(lang::kTextReportMenu));
    for (QAction* a : button->menu()->actions())
        a->setText(Tr(a->objectName() == QStringLiteral("reportHtml") ? lang::kTextReportHtml
                                                                      : lang::kTextReportCsv));
}

}  // namespace trafikon
