// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_service_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/accelerator_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {
namespace {

// A message box whose texts are always plain text: messages quote file
// names and log lines, which must never be read as markup.
QMessageBox::StandardButton Show(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton byDefault) {
    QMessageBox box(icon, title, DisplayText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

class MessageBoxService : public MessageService {
  public:
    void Inform(QWidget* parent, const QString& text, const QString& title) override {
        Show(QMessageBox::Information, parent, Title(title), text, QMessageBox::Ok,
             QMessageBox::Ok);
    }
    bool Confirm(QWidget* parent, const QString& text, const QString& title) override {
        return Show(QMessageBox::Question, parent, Title(title), text,
                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
    }
    bool ConfirmDestructive(QWidget* parent, const QString& text, const QString& title) override {
        return Show(QMessageBox::Question, parent, Title(title), text,
                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
    }
    bool AskYesNo(QWidget* parent, const QString& text, const QString& title) override {
        return Show(QMessageBox::Question, parent, Title(title), text,
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    }
    Answer AskYesNoCancel(QWidget* parent, const QString& text, const QString& title) override {
        switch (Show(QMessageBox::Question, parent, Title(title), text,
                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
            case QMessageBox::Yes:
                return Answer::Yes;
            case QMessageBox::No:
                return Answer::No;
            default:
                return Answer::Cancel;
        }
    }

    Answer AskYesAllNo(QWidget* parent, const QString& text, const QString& title,
                       const QString& yesToAll) override {
        QMessageBox box(QMessageBox::Question, Title(title), text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        // Its letter is one that the standard buttons' own do not use.
        QString taken;
        for (const QPushButton* standard : {yes, no})
            WithAccelerator(standard->text(), taken);
        QPushButton* all = box.addButton(WithAccelerator(yesToAll, taken), QMessageBox::YesRole);
        box.setDefaultButton(yes);
        box.exec();
        if (box.clickedButton() == yes)
            return Answer::Yes;
        if (box.clickedButton() == all)
            return Answer::YesToAll;
        return Answer::No;
    }

  private:
    static QString Title(const QString& title) {
        if (!title.isEmpty())
            return title;
        const QString name = QApplication::applicationDisplayName();
        return name.isEmpty() ? QStringLiteral("Trafikon") : name;
    }
};

MessageBoxService& DefaultService() {
    static MessageBoxService service;
    return service;
}

MessageService* current = nullptr;

}  // namespace

MessageService& Messages() {
    return current ? *current : DefaultService();
}

void SetMessageService(MessageService* service) {
    current = service;
}

}  // namespace trafikon
