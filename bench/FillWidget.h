#pragma once

#include <QColor>
#include <QWidget>

// The least a widget can do when painted: fill itself with one colour. Opaque,
// so Qt erases nothing under it first; the floor every real paint is set beside.
class FillWidget : public QWidget
{
public:
    static inline const QColor kFillColor{0, 128, 0};

    explicit FillWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
