// Top of a detail: a bold title and four detail lines, the first in blue.
#pragma once

#include <QWidget>
#include <array>

class QLabel;

namespace trafikon {

class TabsDetailHeader : public QWidget {
    Q_OBJECT
  public:
    explicit TabsDetailHeader(QWidget* parent = nullptr);

    void SetTitle(const QString& text);
    // Line 0..3; `colour` invalid keeps the line's own colour (blue for line 0).
    void SetLine(int line, const QString& text, const QColor& colour = QColor());
    void Clear();

    QString title() const;
    QString line(int line) const;
    QColor lineColour(int line) const;

  private:
    QLabel* title_;
    std::array<QLabel*, 4> lines_{};
};

}  // namespace trafikon
