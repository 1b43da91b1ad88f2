#include "views/analysis/analysis_window.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/app_state.h"

namespace trafikon {

TFAnalyse::TFAnalyse(const std::string& monthKey, QWidget* parent)
    : QWidget(parent), key_(monthKey) {
    tabs_ = new QTabWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    setWindowTitle(QString::fromLatin1(("Analyse " + key_).c_str()));
}

TFAnalyse::~TFAnalyse() = default;

void TFAnalyse::LoadMonth() {
    LoadMonthResults(App().siteDir, key_, results_);
}
void TFAnalyse::FillTabs() {}
void TFAnalyse::ApplyTexts() {}
AnalysisTabWidget* TFAnalyse::tabPage(Tab tab) const {
    return pages_[tab];
}
std::size_t TFAnalyse::ShowLogLines(std::string_view, LineNumbering) {
    return 0;
}
void TFAnalyse::ClearLogLines() {}
bool TFAnalyse::JumpToFile(std::string_view) {
    return false;
}
bool TFAnalyse::JumpToHost(std::string_view) {
    return false;
}
void TFAnalyse::CopyText(std::string_view) {}
void TFAnalyse::OpenSitePage(std::string_view) {}
void TFAnalyse::OpenAddress(std::string_view) {}
std::string TFAnalyse::siteUrl() const {
    return App().settings.siteUrl();
}
const Settings& TFAnalyse::settings() const {
    return App().settings;
}
const std::string& TFAnalyse::Text(int entry) const {
    return App().Text(entry);
}
void TFAnalyse::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
}
void TFAnalyse::FillBrowserList() {}
bool TFAnalyse::Jump(Tab, std::string_view, int) {
    return false;
}

}  // namespace trafikon
