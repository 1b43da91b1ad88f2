// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/add_log_texts_qt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "import/add_log_form.h"
#include "state/app_state.h"
#include "state/settings.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/import/import_thread_qt.h"

namespace trafikon {

// The import's count of lines without a readable date.
QStringList FileRefusalTexts(const std::vector<RefusedFile>& refused,
                             const std::vector<DamagedFile>& damaged) {
    QStringList texts;
    for (const RefusedFile& file : refused)
        texts << Tr(lang::kMonthFormatRefused)
                     .arg(QFile::decodeName(file.path.c_str()), QString::fromStdString(file.month),
                          FieldNames(file.monthCodes), FieldNames(file.fileCodes));
    for (const DamagedFile& file : damaged)
        texts << Tr(lang::kFileNotImported)
                     .arg(QFile::decodeName(file.path.c_str()),
                          QString::fromLocal8Bit(file.reason));
    return texts;
}

QString DamagedLinesText(const std::vector<FileImportResult>& files) {
    unsigned long long damaged = 0, unfiled = 0;
    QString names;
    for (const FileImportResult& file : files) {
        damaged += file.damagedLines;
        unfiled += file.unfiledLines;
        if (file.damagedLines + file.unfiledLines > 0)
            names += QLatin1Char('\n') + QFile::decodeName(file.path.c_str()) + " : " +
                     QString::number(file.damagedLines + file.unfiledLines);
    }
    if (damaged + unfiled == 0)
        return {};
    return Tr(lang::kImportUndatedLines).arg(damaged) + QLatin1Char('\n') +
           Tr(lang::kImportUnfiledLines).arg(unfiled) + QLatin1Char('\n') + names;
}

QString VhostSitesText(const std::vector<NewSite>& made, long long pastLimit, bool othersFiled) {
    // A log of many hosts lists its first sites; the site menu has them all.
    constexpr std::size_t kListed = 20;
    QStringList parts;
    if (!made.empty()) {
        QString list = Tr(lang::kVhostSitesMade);
        for (std::size_t i = 0; i < made.size() && i < kListed; ++i)
            list += QLatin1Char('\n') + Tr(lang::kSiteNumbered).arg(made[i].number) + " : " +
                    QString::fromLatin1(made[i].host);
        if (made.size() > kListed)
            list += QStringLiteral("\n... (+%1)").arg(made.size() - kListed);
        parts << list;
    }
    if (pastLimit > 0)
        parts << Tr(lang::kVhostPastSiteLimit)
                     .arg(pastLimit)
                     .arg(static_cast<qulonglong>(VhostSites::kMaxNewSites));
    if (othersFiled)
        parts << Tr(lang::kVhostOtherSitesAnalysed);
    return parts.join(QStringLiteral("\n\n"));
}

QString ImportNotesText(const TMyThread& worker) {
    QStringList notes{DamagedLinesText(worker.fileResults()),
                      VhostSitesText(worker.newSites(), worker.linesPastSiteLimit(),
                                     !worker.otherSites().empty())};
    notes.removeAll(QString());
    return notes.join(QStringLiteral("\n\n"));
}

// A format as the dialog's lists show it: the names of its fields in order.
QString FieldNames(std::string_view codes) {
    QStringList names;
    for (char code : codes)
        names << Tr(FieldTextEntry(code)).trimmed();
    return names.join(QStringLiteral(", "));
}

// What the tooltip of a listed file and the misfit warning say of the format
// detected in its lines.
QString DetectedFormatText(const FieldFormat& detected) {
    return detected.empty() ? Tr(lang::kFormatNotRecognised)
                            : Tr(lang::kDetectedFormat).arg(FieldNames(detected));
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString LogPickFolder() {
    const QString kept = QFile::decodeName(App().settings.lastLogFolder().c_str());
    return !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : QDir::homePath();
}

void KeepLogPickFolder(const QString& folder) {
    Settings& settings = App().settings;
    if (settings.lastLogFolder() == LocalPath(folder))
        return;
    settings[Settings::kLastLogFolder] = LocalPath(folder);
    try {
        SaveSiteSettings(App().programDir, App().siteNumber, settings);
    } catch (const IoError&) {
    }
}

}  // namespace trafikon
