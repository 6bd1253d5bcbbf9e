#include "ArtworkWindow.h"

#include "frmShowPic.h"

ArtworkWindow::ArtworkWindow(const ShowPicServices& services)
    : m_services(services)
{
}

ArtworkWindow::~ArtworkWindow()
{
    unloadInstance();
}

frmShowPic& ArtworkWindow::instance()
{
    if (!m_window) {
        auto* window = new frmShowPic(m_services);
        m_window = window;
        // Unloaded from inside (a double-click, an empty path): it may be in one of its own
        // handlers, so it is destroyed once control is back in the event loop.
        QObject::connect(window, &frmShowPic::unloaded, window, [this, window] {
            if (m_window != window)
                return;
            m_window = nullptr;
            window->deleteLater();
        });
    }
    return *m_window;
}

frmShowPic* ArtworkWindow::loadedInstance() const
{
    return m_window.data();
}

void ArtworkWindow::unloadInstance()
{
    frmShowPic* window = m_window.data();
    if (!window)
        return;
    m_window = nullptr;
    window->Unload();
    // At shutdown the event loop may not run again, so this one is destroyed now.
    delete window;
}
