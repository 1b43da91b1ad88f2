// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/field_format_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "state/app_state.h"
#include "text/extra_texts.h"
#include "text/language_table.h"
#include "text/window_entries.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {

QListWidget* FieldList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

}  // namespace

QPushButton* AddLogButton(const char* name) {
    auto* button = new QPushButton;
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

FieldFormatWidget::FieldFormatWidget(QWidget* parent)
    : QWidget(parent), form_([](int entry) { return App().Text(entry); }) {
    BDefault = AddLogButton("BDefault");
    BDefaultIIS = AddLogButton("BDefaultIIS");
    BDefaultEasyPHP = AddLogButton("BDefaultEasyPHP");
    LAllFields = new QLabel;
    LBAll = FieldList("LBAll");
    LSpecificFields = new QLabel;
    LBChamps = FieldList("LBChamps");
    BUp = AddLogButton("BUp");
    BDown = AddLogButton("BDown");
    LComment1 = new QLabel;
    TVExemple = new QTreeWidget;
    TVExemple->setObjectName("TVExemple");
    TVExemple->setHeaderHidden(true);
    TVExemple->setRootIsDecorated(false);
    TVExemple->setColumnCount(1);
    TVExemple->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TVExemple->header()->setStretchLastSection(false);
    // Said in red under the preview when the format shown does not fit a file.
    LFormatMisfit = new QLabel;
    LFormatMisfit->setObjectName("LFormatMisfit");
    LFormatMisfit->setTextFormat(Qt::PlainText);
    LFormatMisfit->setWordWrap(true);
    LFormatMisfit->setStyleSheet(QStringLiteral("color: #c00000;"));
    BUseDetected = AddLogButton("BUseDetected");

    auto* defaults = new QHBoxLayout;
    defaults->addWidget(BDefault);
    defaults->addWidget(BDefaultIIS);
    defaults->addWidget(BDefaultEasyPHP);
    defaults->addStretch(1);
    auto* upDown = new QVBoxLayout;
    upDown->addStretch(1);
    upDown->addWidget(BUp);
    upDown->addWidget(BDown);
    upDown->addStretch(1);
    auto* lists = new QGridLayout;
    lists->addWidget(LAllFields, 0, 0);
    lists->addWidget(LSpecificFields, 0, 1);
    lists->addWidget(LBAll, 1, 0);
    lists->addWidget(LBChamps, 1, 1);
    lists->addLayout(upDown, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(defaults);
    layout->addLayout(lists, 3);
    layout->addWidget(LComment1);
    layout->addWidget(TVExemple, 2);
    auto* misfitRow = new QHBoxLayout;
    misfitRow->addWidget(LFormatMisfit, 1);
    misfitRow->addWidget(BUseDetected);
    layout->addLayout(misfitRow);
    // The warning's three lines keep their place while it is hidden: the lists
    // and buttons above never move under the pointer when it comes or goes.
    for (QWidget* w : {static_cast<QWidget*>(LFormatMisfit), static_cast<QWidget*>(BUseDetected)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    LFormatMisfit->setFixedHeight(3 * LFormatMisfit->fontMetrics().lineSpacing());

    connect(LBAll, &QListWidget::itemDoubleClicked, this, [this] { AddSelectedField(); });
    connect(LBChamps, &QListWidget::itemDoubleClicked, this, [this] { RemoveSelectedField(); });
    LBAll->installEventFilter(this);
    LBChamps->installEventFilter(this);
    connect(BUp, &QPushButton::clicked, this, &FieldFormatWidget::MoveSelectedUp);
    connect(BDown, &QPushButton::clicked, this, &FieldFormatWidget::MoveSelectedDown);
    connect(BDefault, &QPushButton::clicked, this, [this] { UseDefault(kApacheDefault); });
    connect(BDefaultIIS, &QPushButton::clicked, this, [this] { UseDefault(kIisDefault); });
    connect(BDefaultEasyPHP, &QPushButton::clicked, this, [this] { UseDefault(kEasyPhpDefault); });
    connect(BUseDetected, &QPushButton::clicked, this, &FieldFormatWidget::useDetectedClicked);
}

void FieldFormatWidget::ApplyTexts() {
    BDefault->setText(Tr(lang::addlog::kDefaultButton));
    BUp->setText(Tr(lang::addlog::kUpButton));
    BDown->setText(Tr(lang::addlog::kDownButton));
    LComment1->setText(Tr(lang::addlog::kLineExamplesLabel));
    LAllFields->setText(Tr(lang::addlog::kAllFieldsLabel));
    LSpecificFields->setText(Tr(lang::addlog::kFileFieldsLabel));
    BDefaultIIS->setText(Tr(lang::addlog::kDefaultIisButton));
    BDefaultEasyPHP->setText(Tr(lang::addlog::kDefaultEasyPhpButton));
    for (QPushButton* b : {BDefault, BDefaultIIS, BDefaultEasyPHP})
        b->setToolTip(Tr(lang::kDefaultFieldsHint));
    BUseDetected->setText(Tr(lang::kUseDetectedFormat));
}

void FieldFormatWidget::ShowLists() {
    LBAll->clear();
    for (const std::string& text : form_.allFields())
        LBAll->addItem(FromCp1252(text));
    LBChamps->clear();
    for (const std::string& text : form_.formatFields())
        LBChamps->addItem(FromCp1252(text));
}

void FieldFormatWidget::ShowPreview(const std::vector<std::string>& examples) {
    TVExemple->clear();
    for (const std::string& line : form_.PreviewLines(examples))
        new QTreeWidgetItem(TVExemple, QStringList(LogLineText(line)));
}

void FieldFormatWidget::FitLists() {
    // Both lists show every field name whole: between them they hold all of them.
    int width = 0;
    for (QListWidget* list : {LBAll, LBChamps})
        width = std::max(width, list->sizeHintForColumn(0));
    width += 2 * LBAll->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    for (QListWidget* list : {LBAll, LBChamps})
        list->setMinimumWidth(width);
}

void FieldFormatWidget::ShowMisfit(const QString& text, bool offerDetected) {
    if (text.isEmpty())
        LFormatMisfit->clear();
    else
        LFormatMisfit->setText(text);
    LFormatMisfit->setToolTip(PlainToolTip(text));  // whole, should three lines cut it
    LFormatMisfit->setVisible(!text.isEmpty());
    BUseDetected->setVisible(!text.isEmpty() && offerDetected);
}

void FieldFormatWidget::AddSelectedField() {
    const int row = LBAll->currentRow();
    if (row < 0 || !LBAll->item(row)->isSelected())
        return;
    form_.AddField(row);
    ShowLists();
    LBAll->clearSelection();
    LBAll->setCurrentRow(-1);
    emit formatChanged();
}

void FieldFormatWidget::RemoveSelectedField() {
    const int row = LBChamps->currentRow();
    if (row < 0 || !LBChamps->item(row)->isSelected())
        return;
    form_.RemoveField(row);
    ShowLists();
    LBChamps->clearSelection();
    LBChamps->setCurrentRow(-1);
    emit formatChanged();
}

void FieldFormatWidget::MoveSelected(int (AddLogForm::*move)(int)) {
    const int row = LBChamps->currentRow();
    if (row < 0 || !LBChamps->item(row)->isSelected())
        return;
    const int moved = (form_.*move)(row);
    if (moved < 0)
        return;
    ShowLists();
    emit formatChanged();
    LBChamps->setCurrentRow(moved);
}

void FieldFormatWidget::MoveSelectedUp() {
    MoveSelected(&AddLogForm::MoveUp);
}

void FieldFormatWidget::MoveSelectedDown() {
    MoveSelected(&AddLogForm::MoveDown);
}

void FieldFormatWidget::UseDefault(const DefaultFormat& format) {
    form_.ApplyDefault(format);
    ShowLists();
    emit formatChanged();
}

bool FieldFormatWidget::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == LBAll || watched == LBChamps) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == LBAll)
                AddSelectedField();
            else
                RemoveSelectedField();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trafikon
