// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/tabs_side_panel_qt.h"

#include <QHBoxLayout>

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "views/analysis/name_count_list_widget.h"

namespace trafikon {

TabsSidePanel MakeTabsSidePanel(QWidget* parent) {
    TabsSidePanel p;
    p.side = new QWidget(parent);
    p.layout = new QVBoxLayout(p.side);
    p.layout->setContentsMargins(0, 0, 0, 0);
    auto* filterRow = new QHBoxLayout;
    p.filter = new QLineEdit(p.side);
    p.filterButton = new QPushButton(p.side);
    filterRow->addWidget(p.filter);
    filterRow->addWidget(p.filterButton);
    p.layout->addLayout(filterRow);
    p.count = new QLabel(p.side);
    p.layout->addWidget(p.count);
    p.list = new NameCountListWidget(p.side);
    p.layout->addWidget(p.list, 1);
    return p;
}

void PlaceSideAndDetail(QWidget* tab, QWidget* side, QWidget* detail, int sideWidth) {
    auto* splitter = new QSplitter(Qt::Horizontal, tab);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(side);
    splitter->addWidget(detail);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes(
        {std::max(sideWidth, side->minimumSizeHint().width()), detail->minimumSizeHint().width()});
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(splitter);
}

}  // namespace trafikon
