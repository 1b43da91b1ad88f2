// The left side that the files, hosts and referrer tabs share: a filter edit
// with its button, the count label and the name/count list.
#pragma once

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace trafikon {

class NameCountListWidget;

struct TabsSidePanel {
    QWidget* side = nullptr;  // fixed 353 pixels wide
    QVBoxLayout* layout = nullptr;
    QLineEdit* filter = nullptr;
    QPushButton* filterButton = nullptr;
    QLabel* count = nullptr;
    NameCountListWidget* list = nullptr;
};

// Builds the side as a child of `parent`; controls that stand above the
// filter row are inserted at the top of `layout` by the caller.
TabsSidePanel MakeTabsSidePanel(QWidget* parent);

}  // namespace trafikon
