// SPDX-License-Identifier: GPL-3.0-or-later
// Top of a detail: a bold title and four detail lines, the first in blue.
// A line longer than the detail is wide ends in "..." and shows its whole
// text as a tooltip; title() and line() give the whole texts.
#pragma once

#include <QWidget>
#include <array>
#include <string>

class QLabel;

namespace trafikon {

class TabsDetailHeader : public QWidget {
    Q_OBJECT
  public:
    explicit TabsDetailHeader(QWidget* parent = nullptr);

    void SetTitle(const QString& text);
    // Line 0..3; `colour` invalid keeps the line's own colour (blue for line 0).
    void SetLine(int line, const QString& text, const QColor& colour = QColor());
    void Clear();  // also hides the note

    // A red note under the lines, for a detail whose records point past the end
    // of the month's tables (result files replaced after the window loaded
    // them): `missing` entries could not be shown. 0 hides the note. `wording`
    // holds "%1" for the number.
    void SetMissingNote(std::size_t missing, const QString& wording);
    QString note() const;  // empty when hidden

    QString title() const;
    QString line(int line) const;
    QColor lineColour(int line) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Show(QLabel* label, const QString& text);

    QLabel* title_;
    std::array<QLabel*, 4> lines_{};
    QLabel* note_;
};

}  // namespace trafikon
