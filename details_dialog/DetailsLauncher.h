#pragma once

#include <QObject>

#include <memory>

class frmMain;
class frmMore;

// Opens the details dialog when the main window asks for it: creates the one
// instance on first use, loads it when it is closed, and brings it to the
// front when it is already open.
class DetailsLauncher : public QObject
{
    Q_OBJECT
public:
    explicit DetailsLauncher(frmMain &mainWindow);
    ~DetailsLauncher() override;

    void open();
    frmMore *dialog() const { return m_dialog.get(); }

private:
    frmMain &m_main;
    std::unique_ptr<frmMore> m_dialog;
};
