// SPDX-License-Identifier: GPL-3.0-or-later
// The format part of the add-log dialog: the three default formats, the list
// of all fields and the list of the file's fields in order (double click,
// Return or Enter moves a field across, two buttons move it up and down), the
// preview of the format, and the warning when it does not fit a listed file.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "import/add_log_form.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace trafikon {

class FieldFormatWidget : public QWidget {
    Q_OBJECT
  public:
    explicit FieldFormatWidget(QWidget* parent = nullptr);

    void ApplyTexts();
    AddLogForm& form() { return form_; }
    const AddLogForm& form() const { return form_; }

    // Shows the form's two lists again.
    void ShowLists();
    // Shows the preview of the form for these example lines.
    void ShowPreview(const std::vector<std::string>& examples);
    // Both lists wide enough to show every field name whole.
    void FitLists();
    // The warning under the preview, with the button that takes the detected
    // format when there is one; an empty text hides both.
    void ShowMisfit(const QString& text, bool offerDetected);

    // The commands of its buttons and lists; each one that changes the format
    // emits formatChanged.
    void AddSelectedField();
    void RemoveSelectedField();
    void MoveSelectedUp();
    void MoveSelectedDown();
    void UseDefault(const DefaultFormat& format);

    QListWidget* allFields() const { return LBAll; }
    QListWidget* formatFields() const { return LBChamps; }
    QTreeWidget* preview() const { return TVExemple; }
    QLabel* misfitLabel() const { return LFormatMisfit; }
    QPushButton* useDetectedButton() const { return BUseDetected; }

  signals:
    void formatChanged();
    void useDetectedClicked();

  protected:
    // Return or Enter in a field list moves its selected field to the other list.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MoveSelected(int (AddLogForm::*move)(int));

    AddLogForm form_;

    QPushButton* BDefault;
    QPushButton* BDefaultIIS;
    QPushButton* BDefaultEasyPHP;
    QLabel* LAllFields;
    QListWidget* LBAll;
    QLabel* LSpecificFields;
    QListWidget* LBChamps;
    QPushButton* BUp;
    QPushButton* BDown;
    QLabel* LComment1;
    QTreeWidget* TVExemple;
    QLabel* LFormatMisfit;
    QPushButton* BUseDetected;
};

// A button of the add-log dialog: named, and never the default on Return.
QPushButton* AddLogButton(const char* name);

}  // namespace trafikon
