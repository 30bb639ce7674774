#include "main_window/NumberLabel.h"

#include <QPainter>

NumberLabel::NumberLabel(int baseline, const QString &one, const QString &many, QWidget *parent)
    : QLabel(parent), m_baseline(baseline), m_one(one), m_many(many)
{
    setAlignment(Qt::AlignRight | Qt::AlignBaseline);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setNumber(QStringLiteral("00"));
}

void NumberLabel::setNumber(const QString &number)
{
    if (number == text())
        return;
    setText(number);
    setAccessibleName((number == QLatin1String("1") ? m_one : m_many).arg(number));
}

QFont NumberLabel::drawingFont() const
{
    QFont face = font();
    qreal textWidth = QFontMetricsF(face, this).horizontalAdvance(text());
    // Hinted widths do not shrink exactly in proportion to the size, so the
    // size is cut until the text fits.
    for (int attempt = 0; textWidth > width() && attempt < 8; ++attempt) {
        const qreal size = face.pointSizeF() * width() / textWidth * 0.98;
        if (size < 1)
            break;
        face.setPointSizeF(size);
        textWidth = QFontMetricsF(face, this).horizontalAdvance(text());
    }
    return face;
}

void NumberLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFont face = drawingFont();
    painter.setFont(face);
    painter.setPen(palette().color(QPalette::WindowText));
    const int textWidth = QFontMetrics(face, this).horizontalAdvance(text());
    painter.drawText(width() - textWidth, m_baseline, text());
}
