// SPDX-License-Identifier: GPL-3.0-or-later
// A message service for widget tests: records every message and question and
// answers from a queue (OK / Yes by default).
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "ui/message_service_qt.h"

namespace trafikon::testing {

class ScriptedMessages : public MessageService {
  public:
    ScriptedMessages() { SetMessageService(this); }
    ~ScriptedMessages() override { SetMessageService(nullptr); }

    QStringList shown;           // every text, in order
    QStringList titles;          // the caption asked for with each text (empty: the default)
    std::deque<Answer> answers;  // next answers; empty means OK / Yes

    void Inform(QWidget*, const QString& text, const QString& title) override {
        shown << text;
        titles << title;
    }
    bool Confirm(QWidget*, const QString& text, const QString& title) override {
        shown << text;
        titles << title;
        return Next(Answer::Ok) == Answer::Ok;
    }
    bool AskYesNo(QWidget*, const QString& text, const QString& title) override {
        shown << text;
        titles << title;
        return Next(Answer::Yes) == Answer::Yes;
    }
    Answer AskYesNoCancel(QWidget*, const QString& text, const QString& title) override {
        shown << text;
        titles << title;
        return Next(Answer::Yes);
    }

    Answer AskYesAllNo(QWidget*, const QString& text, const QString& title,
                       const QString&) override {
        shown << text;
        titles << title;
        return Next(Answer::Yes);
    }

  private:
    Answer Next(Answer fallback) {
        if (answers.empty())
            return fallback;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace trafikon::testing
