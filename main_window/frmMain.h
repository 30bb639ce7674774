#pragma once

#include "DateValue.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class PictureBox;
class QLabel;
class QTimer;
class WidgetPlacedWindow;

// The widget itself: a borderless 800 x 125 window that counts down to
// datTarget in five number labels on a picture background, with minimize,
// details and close buttons, dragged by its background.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The target moment. The details dialog reads and sets it directly.
    DateValue datTarget;

    // Works out the time left and writes it into the five labels. Unless
    // forced, a call in the same second as the last full update does nothing.
    void UpdateDisplay(bool blnForceUpdate);

    // Start-up: loads the target, restores or centres the window, minimizes
    // it when `arguments` (the command line without the program) is not
    // empty, and shows it.
    void Form_Load(const QStringList &arguments);

    // Writes the target to the settings store: at unload, and at the end of
    // the program for an edit made after the unload.
    void SaveTarget();
    bool isUnloaded() const { return m_unloaded; }

    // The program is about to end: unloads the window if that has not
    // happened yet, or writes a target that was changed after the unload.
    void programEnding();

    // Handlers, public so that tests can drive them as the toolkit does.
    void Form_Resize();
    void Form_Unload();
    void tmr_Timer();
    void picClose_Click();
    void picMinimize_Click();
    void picMore_Click();
    void picBack_MouseDown();
    void picBack_MouseUp();
    void picBack_DblClick();

    // Controls, in the order of creation.
    QTimer *tmr = nullptr;
    PictureBox *picBack = nullptr;
    PictureBox *picMinimize = nullptr;
    PictureBox *picClose = nullptr;
    PictureBox *picMore = nullptr;
    QLabel *lblSec = nullptr;
    QLabel *lblMin = nullptr;
    QLabel *lblHrs = nullptr;
    QLabel *lblDays = nullptr;
    QLabel *lblWeeks = nullptr;

    // The seconds value of the last full update.
    qint16 intLastSec = 0;

    bool isDragging() const { return blnDragging; }

signals:
    // The details button was clicked: the program opens the details dialog.
    void detailsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void setCaption(QLabel *label, const QString &text);
    void moveWithCursor();

    std::unique_ptr<WidgetPlacedWindow> m_form;
    bool m_unloaded = false;
    DateValue m_savedTarget;
    bool m_targetSaved = false;

    // Drag state.
    qint32 lngStartCursorX = 0;
    qint32 lngStartCursorY = 0;
    qint32 lngStartLeft = 0;
    qint32 lngStartTop = 0;
    bool blnDragging = false;
};
