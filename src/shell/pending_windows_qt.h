// Stand-ins for windows and store helpers built on other branches, so the shell
// runs before they are merged. Each one goes away when its real class lands.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <string>

#include "shell/app_state.h"
#include "shell/text_convert_qt.h"

namespace trafikon {

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
