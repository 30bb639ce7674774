#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button that is a picture from the artwork, with the hand pointer: clicked
// by a left press and release over it, or by Space, Enter and Return while it
// has the keyboard focus, which a dotted frame shows. Its presses never reach
// the window beneath it.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    // `picture` names the artwork (see Assets::pixmap), decoded as the button
    // is first painted.
    PictureButton(const QString &picture, QWidget *parent);

protected:
    void enterEvent(QEnterEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_pictureName;
    QPixmap m_picture;
};
