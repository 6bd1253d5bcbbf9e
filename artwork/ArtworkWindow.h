#pragma once

#include "ShowPicServices.h"

#include <QPointer>

class frmShowPic;

// The program's one artwork window: made hidden on first use, and made again after it
// unloaded itself (a double-click, an empty path).
class ArtworkWindow
{
public:
    explicit ArtworkWindow(const ShowPicServices& services);
    // Unloads the window, as unloadInstance does.
    ~ArtworkWindow();
    ArtworkWindow(const ArtworkWindow&) = delete;
    ArtworkWindow& operator=(const ArtworkWindow&) = delete;

    // The window, made on first use.
    frmShowPic& instance();
    // The window when it is loaded, nullptr otherwise.
    frmShowPic* loadedInstance() const;
    // Unloads and destroys the window when it is loaded (storing its position as Unload
    // does); at shutdown.
    void unloadInstance();

private:
    ShowPicServices m_services;
    QPointer<frmShowPic> m_window;
};
