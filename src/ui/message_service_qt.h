// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box and question of the program goes through this interface,
// so that tests can answer them. Workers never call it: they hand the question
// to the interface thread.
#pragma once

#include <QString>

class QWidget;

namespace trafikon {

class MessageService {
  public:
    enum class Answer { Ok, Cancel, Yes, No, YesToAll };
    virtual ~MessageService() = default;

    // An empty title gives the program's name as the box's caption.
    // Plain message with OK.
    virtual void Inform(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // OK / Cancel confirmation: true for OK.
    virtual bool Confirm(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // The same for an action that removes data: Cancel is the default button,
    // so that Return alone removes nothing.
    virtual bool ConfirmDestructive(QWidget* parent, const QString& text,
                                    const QString& title = {}) {
        return Confirm(parent, text, title);
    }
    // Yes / No question: true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // Yes / No / Cancel question.
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& text,
                                  const QString& title = {}) = 0;
    // Yes / `yesToAll` / No question: Yes, YesToAll or No (No when closed).
    virtual Answer AskYesAllNo(QWidget* parent, const QString& text, const QString& title,
                               const QString& yesToAll) = 0;
};

// The service in use: real message boxes unless a test installed its own.
MessageService& Messages();
// Installs `service` (nullptr restores the message boxes). The caller keeps ownership.
void SetMessageService(MessageService* service);

}  // namespace trafikon
