// SPDX-License-Identifier: GPL-3.0-or-later
// The left side that the files, hosts, referrer and robots tabs share: a filter edit
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
    QWidget* side = nullptr;
    QVBoxLayout* layout = nullptr;
    QLineEdit* filter = nullptr;
    QPushButton* filterButton = nullptr;
    QLabel* count = nullptr;
    NameCountListWidget* list = nullptr;
};

// Builds the side as a child of `parent`; controls that stand above the
// filter row are inserted at the top of `layout` by the caller.
TabsSidePanel MakeTabsSidePanel(QWidget* parent);

// Lays out a tab as its side (`sideWidth` pixels wide at first, or wider when
// its content needs it) and its detail, with a splitter between them; neither
// gets narrower than its layout allows.
void PlaceSideAndDetail(QWidget* tab, QWidget* side, QWidget* detail, int sideWidth = 353);

}  // namespace trafikon
