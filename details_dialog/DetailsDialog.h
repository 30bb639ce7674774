#pragma once

#include "autostart/Autostart.h"

#include <QChar>
#include <QWidget>

class CountdownTarget;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QTimeEdit;

// The details dialog: picks the target with a time picker and a date picker,
// shows the time left as four totals, and carries the run-at-startup option.
// A view of the target: a picker edit sets it, and every change of it
// refreshes the totals in full.
//
// There is one instance for the whole run. Closing the dialog unloads its
// controls; the next open() creates them afresh with their initial
// properties, while the last digit of the seconds total survives.
class DetailsDialog : public QWidget
{
    Q_OBJECT
public:
    explicit DetailsDialog(CountdownTarget &target);
    ~DetailsDialog() override;

public slots:
    // Shows the dialog modeless with fresh controls set to the target, or
    // brings it to the front when it is already open.
    void open();

signals:
    // The dialog has closed: the program writes a target changed in it.
    void closed();
    // The autostart entry could not be brought into line with the check box
    // as the dialog closed; the program tells the user.
    void autostartFailed(const Autostart::Failure &failure);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void setTargetFromPickers();
    void refuseUnstartableProgram(bool checked);
    void tick();
    void refresh();

private:
    bool hasControls() const { return m_timePicker != nullptr; }
    void addControls();
    void removeControls();
    void load();
    // Writes the four totals. Unless forced, does nothing while the last
    // digit of the seconds total is the one last written.
    void updateTotals(bool force);

    CountdownTarget &m_target;
    QChar m_lastDigit;

    // Controls, in the order of creation; null while the dialog is unloaded.
    QMetaObject::Connection m_ticks;
    QCheckBox *m_startupCheckBox = nullptr;
    QGroupBox *m_totalsGroup = nullptr;
    QLabel *m_secondsCaption = nullptr;
    QLabel *m_secondsTotal = nullptr;
    QLabel *m_minutesCaption = nullptr;
    QLabel *m_minutesTotal = nullptr;
    QLabel *m_hoursCaption = nullptr;
    QLabel *m_hoursTotal = nullptr;
    QLabel *m_daysCaption = nullptr;
    QLabel *m_daysTotal = nullptr;
    QDateEdit *m_datePicker = nullptr;
    QTimeEdit *m_timePicker = nullptr;
    QLabel *m_pickerCaption = nullptr;
};
