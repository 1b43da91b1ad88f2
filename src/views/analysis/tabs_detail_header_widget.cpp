#include "views/analysis/tabs_detail_header_widget.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/text_convert_qt.h"

namespace trafikon {

TabsDetailHeader::TabsDetailHeader(QWidget* parent) : QWidget(parent), title_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setTextFormat(Qt::PlainText);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(title_);
    for (QLabel*& l : lines_) {
        l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        layout->addWidget(l);
    }
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    QPalette p = note_->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    note_->setPalette(p);
    note_->hide();
    layout->addWidget(note_);
    SetLine(0, QString());
}

void TabsDetailHeader::SetMissingNote(std::size_t missing, const std::string& languageCode) {
    if (missing == 0) {
        note_->clear();
        note_->hide();
        return;
    }
    const char* text =
        languageCode == "en"
            ? "%1 reference(s) point past the end of the month's result files "
              "(replaced since this window loaded them?) and are not shown."
            : "%1 r\u00e9f\u00e9rence(s) hors des fichiers de r\u00e9sultats du mois "
              "(remplac\u00e9s depuis le chargement de cette fen\u00eatre ?) ne "
              "sont pas affich\u00e9es.";
    note_->setText(QString::fromUtf8(text).arg(static_cast<qulonglong>(missing)));
    note_->show();
}

QString TabsDetailHeader::note() const {
    return note_->isHidden() ? QString() : note_->text();
}

void TabsDetailHeader::SetTitle(const QString& text) {
    title_->setText(DisplayText(text));
}

void TabsDetailHeader::SetLine(int line, const QString& text, const QColor& colour) {
    if (line < 0 || line > 3)
        return;
    QLabel* l = lines_[std::size_t(line)];
    l->setText(DisplayText(text));
    QColor c = colour;
    if (!c.isValid())
        c = line == 0 ? QColor(Qt::blue) : palette().color(QPalette::WindowText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

void TabsDetailHeader::Clear() {
    title_->clear();
    for (int i = 0; i < 4; ++i)
        SetLine(i, QString());
    note_->clear();
    note_->hide();
}

QString TabsDetailHeader::title() const {
    return title_->text();
}

QString TabsDetailHeader::line(int line) const {
    return line >= 0 && line < 4 ? lines_[std::size_t(line)]->text() : QString();
}

QColor TabsDetailHeader::lineColour(int line) const {
    return line >= 0 && line < 4 ? lines_[std::size_t(line)]->palette().color(QPalette::WindowText)
                                 : QColor();
}

}  // namespace trafikon
