#include "DetailsLauncher.h"

#include "frmMain.h"
#include "frmMore.h"

DetailsLauncher::DetailsLauncher(frmMain &mainWindow) : m_main(mainWindow)
{
    connect(&m_main, &frmMain::detailsRequested, this, &DetailsLauncher::open);
}

DetailsLauncher::~DetailsLauncher() = default;

void DetailsLauncher::open()
{
    if (!m_dialog)
        m_dialog = std::make_unique<frmMore>(m_main);
    if (m_dialog->isLoaded() && m_dialog->isVisible()) {
        m_dialog->showNormal();
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog->Load();
}
