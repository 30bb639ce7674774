#pragma once

#include <QLabel>

// A countdown number: a label whose text stands right-aligned on a fixed
// baseline, the baseline of the unit words in the artwork, whatever the
// ascent of the face in use. Text wider than the label is cut off on the left.
class NumberLabel : public QLabel
{
    Q_OBJECT
public:
    NumberLabel(const QString &text, int baseline, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_baseline;
};
