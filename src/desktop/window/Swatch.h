#pragma once

#include <QFrame>

// The pen-colour swatch: a flat area showing one colour, clickable.
class Swatch : public QFrame
{
    Q_OBJECT
public:
    explicit Swatch(const QColor &color, QWidget *parent = nullptr);

    QColor BackColor() const { return palette().color(QPalette::Window); }
    void setBackColor(const QColor &color);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
