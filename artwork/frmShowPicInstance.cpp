// The program-wide artwork window, made on first use.
#include "frmShowPic.h"

#include <QPointer>

#include <optional>
#include <stdexcept>

namespace
{
struct InstanceSlot {
    std::optional<ShowPicServices> services;
    QPointer<frmShowPic> window;
};

InstanceSlot& slot()
{
    static InstanceSlot instanceSlot;
    return instanceSlot;
}
}

void frmShowPic::installServices(const ShowPicServices& services)
{
    slot().services.emplace(services);
}

frmShowPic& frmShowPic::instance()
{
    InstanceSlot& current = slot();
    if (!current.window) {
        if (!current.services)
            throw std::logic_error("frmShowPic::installServices must be called before the window is used");
        auto* window = new frmShowPic(*current.services);
        current.window = window;
        // Unloaded from inside (a double-click, an empty path): it may be in one of its own
        // handlers, so it is destroyed once control is back in the event loop.
        connect(window, &frmShowPic::unloaded, window, [window] {
            if (slot().window != window)
                return;
            slot().window = nullptr;
            window->deleteLater();
        });
    }
    return *current.window;
}

frmShowPic* frmShowPic::loadedInstance()
{
    return slot().window.data();
}

void frmShowPic::unloadInstance()
{
    frmShowPic* window = slot().window.data();
    if (!window)
        return;
    slot().window = nullptr;
    window->Unload();
    // At shutdown the event loop may not run again, so this one is destroyed now.
    delete window;
}
