// Stand-ins for windows and store helpers built on other branches, so the shell
// runs before they are merged. Each one goes away when its real class lands.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <dirent.h>
#include <string>
#include <vector>

#include "shell/app_state.h"
#include "shell/text_convert_qt.h"

namespace trafikon {

// Month keys of the stored logs log-<key>.log of `siteDir`, ascending.
inline std::vector<std::string> ListStoredMonths(const std::string& siteDir) {
    std::vector<std::string> keys;
    if (DIR* dir = opendir(siteDir.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() >= 8 && name.compare(0, 4, "log-") == 0 &&
                name.compare(name.size() - 4, 4, ".log") == 0)
                keys.push_back(name.substr(4, 7));
        }
        closedir(dir);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

class PendingWindow : public QWidget {
  public:
    explicit PendingWindow(const QString& caption, QWidget* parent = nullptr) : QWidget(parent) {
        setWindowTitle(caption);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(caption));
        resize(400, 250);
    }
};

class PendingDialog : public QDialog {
  public:
    explicit PendingDialog(const QString& caption, QWidget* parent = nullptr) : QDialog(parent) {
        setWindowTitle(caption);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(caption));
    }
};

class TFAnalyse : public PendingWindow {
  public:
    explicit TFAnalyse(const std::string& monthKey, QWidget* parent = nullptr)
        : PendingWindow(Tr(112) + " " + FromCp1252(monthKey), parent) {
        App().requestedMonth.clear();
    }
};

class TFCompare : public PendingWindow {
  public:
    explicit TFCompare(QWidget* parent = nullptr) : PendingWindow(Tr(157), parent) {}
};

class DailyTableWidget : public QWidget {
  public:
    explicit DailyTableWidget(QWidget* parent = nullptr) : QWidget(parent) {}
    void Refresh() {}
    void ApplyTexts() {}
};

class TFSupprLog : public PendingDialog {
  public:
    explicit TFSupprLog(QWidget* parent = nullptr) : PendingDialog(Tr(169), parent) {}
};

class TFHelp : public PendingDialog {
  public:
    explicit TFHelp(QWidget* parent = nullptr) : PendingDialog(Tr(29), parent) {}
};

class TFAprop : public PendingDialog {
  public:
    explicit TFAprop(QWidget* parent = nullptr) : PendingDialog(Tr(183), parent) {}
};

}  // namespace trafikon
