#pragma once

#include <QWidget>

// One line of text that ends in "…" when it is wider than the label, never cut mid-glyph;
// it asks for no width of its own, so a long title cannot widen its window.
class ElidedLabel : public QWidget
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
