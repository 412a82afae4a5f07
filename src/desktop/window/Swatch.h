#pragma once

#include <QFrame>

// The pen-colour swatch: a flat area showing one colour, clickable, marked
// when that pen serves every page.
class Swatch : public QFrame
{
    Q_OBJECT
public:
    explicit Swatch(const QColor &color, QWidget *parent = nullptr);

    QColor BackColor() const { return palette().color(QPalette::Window); }
    void setBackColor(const QColor &color);
    bool shared() const { return m_shared; }
    void setShared(bool shared);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void describe();

    bool m_shared = false;
};
