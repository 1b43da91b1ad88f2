// SPDX-License-Identifier: GPL-3.0-or-later
// The switch bar of the file and referrer details: mutually exclusive switches
// with bold captions that choose which result list is visible. The chosen
// switch is written blue, the others in the window-text colour; while the
// mouse button is held on a switch its caption is red under a hand cursor.
#pragma once

#include <QWidget>
#include <vector>

class QRadioButton;
class QButtonGroup;

namespace trafikon {

class TabsSwitchBar : public QWidget {
    Q_OBJECT
  public:
    // `rows` gives how many switches go on each row, e.g. {3, 2}.
    TabsSwitchBar(const std::vector<int>& rows, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(switches_.size()); }
    int chosen() const { return chosen_; }
    void SetChosen(int index);  // emits switched
    void SetCaption(int index, const QString& caption);
    QString caption(int index) const;
    QRadioButton* button(int index) const { return switches_.at(std::size_t(index)); }

  signals:
    void switched(int index);

  private:
    void Paint(int index, const char* colour);
    void PaintAll();

    std::vector<QRadioButton*> switches_;
    QButtonGroup* group_;
    int chosen_ = 0;
};

}  // namespace trafikon
