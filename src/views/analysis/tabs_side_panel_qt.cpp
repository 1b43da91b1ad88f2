#include "views/analysis/tabs_side_panel_qt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/analysis/name_count_list_widget.h"

namespace trafikon {

TabsSidePanel MakeTabsSidePanel(QWidget* parent) {
    TabsSidePanel p;
    p.side = new QWidget(parent);
    p.side->setFixedWidth(353);
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
    // The name takes what the count leaves (about 280 pixels in the 353 of the side).
    p.list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    p.list->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    p.list->header()->resizeSection(1, 60);
    p.layout->addWidget(p.list, 1);
    return p;
}

}  // namespace trafikon
