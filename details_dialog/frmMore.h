#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QTimeEdit;
class QTimer;
class frmMain;

// The details dialog: picks the target with a time picker and a date picker,
// shows the time left as four totals, and carries the run-at-startup option.
//
// There is one instance for the whole run. Closing the dialog unloads its
// controls; the next Load() creates them afresh with their initial
// properties, while strLastDigit survives.
class frmMore : public QWidget
{
    Q_OBJECT
public:
    explicit frmMore(frmMain &mainWindow);
    ~frmMore() override;

    // Creates the controls, runs Form_Load and shows the dialog modeless.
    void Load();
    bool isLoaded() const { return dtpTime != nullptr; }

    void Form_Load();
    void Form_Unload();
    void dtpDate_Change();
    void dtpTime_Change();
    void tmr_Timer();
    void UpdateIndividualTimes(bool blnForce);

    // The last character of the seconds total last written.
    QString strLastDigit;

    // Controls, in the order of creation; null while the dialog is unloaded.
    QTimer *tmr = nullptr;
    QCheckBox *chkStartup = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *lblSecs = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *lblMins = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblHrs = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblDays = nullptr;
    QDateEdit *dtpDate = nullptr;
    QTimeEdit *dtpTime = nullptr;
    QLabel *Label2 = nullptr;

    // The text that the pickers spell, "H:m.s Y/M/D".
    QString pickerText() const;

    // Reads a picker text into the main window's target and refreshes both
    // windows. A text that does not read leaves the target as it was.
    void applyPickerText(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void destroyControls();
    void centreOnScreen();

    frmMain &m_main;
};
