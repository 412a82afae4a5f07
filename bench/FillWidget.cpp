#include "FillWidget.h"

#include <QPainter>

FillWidget::FillWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FillWidget::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), kFillColor);
}
