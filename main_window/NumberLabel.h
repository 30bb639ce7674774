#pragma once

#include <QLabel>

// A countdown number: a label whose text stands right-aligned on a fixed
// baseline, the baseline of the unit words in the artwork, whatever the
// ascent of the face in use. Text wider than the label at the label's font is
// drawn in a smaller size of that face, so that every digit shows within the
// label; text that fits is drawn at the label's font.
class NumberLabel : public QLabel
{
    Q_OBJECT
public:
    // `one` and `many` give the accessible name from the text, "%1 week" and
    // "%1 weeks", so that a screen reader says the unit with the number.
    NumberLabel(int baseline, const QString &one, const QString &many, QWidget *parent);

    // Shows `number` and names it with its unit.
    void setNumber(const QString &number);

    // The font in which the text is drawn: the label's own, or a smaller size
    // of it when the text would not fit.
    QFont drawingFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_baseline;
    QString m_one;
    QString m_many;
};
