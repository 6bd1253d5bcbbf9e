#pragma once

#include "library/TransferView.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

// The Qt half of a transfer view: file dialogs and event processing. The Library page
// derives from it and adds the parts that touch its own controls.
class QtTransferView : public TransferView
{
public:
    // Dialogs are centred on dialogParent; it may be null or go away.
    explicit QtTransferView(QWidget* dialogParent);

    // Asks before replacing an existing file.
    QString saveFileName(const FileDialogRequest& request) override;
    // Only an existing file can be chosen.
    QString openFileName(const FileDialogRequest& request) override;
    // At most about 30 times a second: often enough for Stop and a live window, while a
    // transfer's items between the rounds run at full speed and the progress bar is
    // repainted no more often than that.
    void processEvents() override;

    static constexpr qint64 eventIntervalMs = 33;

private:
    QPointer<QWidget> m_dialogParent;
    QElapsedTimer m_sinceEvents;
};
