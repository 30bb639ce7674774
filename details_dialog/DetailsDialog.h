#pragma once

#include "autostart/Autostart.h"

#include <QDialog>

#include <chrono>

class CountdownTarget;
class QCheckBox;
class QDateEdit;
class QLabel;
class QTimeEdit;

// The details dialog: the target picked with a time and a date picker, the
// time left as four totals, and the run-at-startup option. Made once and
// modeless; every show refreshes it from the target and the autostart entry.
class DetailsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DetailsDialog(CountdownTarget &target);

    // Brings the autostart entry into line with the check box as the dialog
    // closes, however it closes.
    void done(int result) override;

public slots:
    // Shows the dialog centred on the screen, or brings it to the front.
    void showAndActivate();

signals:
    // done() could not bring the entry into line; the program tells the user.
    void autostartFailed(const Autostart::Failure &failure);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setTargetFromPickers();
    void refuseUnstartableProgram(bool checked);
    void updateTotals(bool force);

    CountdownTarget &m_target;
    std::chrono::local_seconds m_lastUpdate{};
    QTimeEdit *m_timePicker;
    QDateEdit *m_datePicker;
    QLabel *m_totals[4]; // days, hours, minutes, seconds
    QCheckBox *m_startupCheckBox;
};
