#include "NumberLabel.h"

#include <QPainter>

NumberLabel::NumberLabel(const QString &text, int baseline, QWidget *parent)
    : QLabel(text, parent), m_baseline(baseline)
{
    setAlignment(Qt::AlignRight | Qt::AlignBaseline);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void NumberLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const int textWidth = fontMetrics().horizontalAdvance(text());
    painter.drawText(width() - textWidth, m_baseline, text());
}
