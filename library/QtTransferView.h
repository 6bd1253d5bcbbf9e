#pragma once

#include "TransferView.h"

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
    void processEvents() override;

private:
    QPointer<QWidget> m_dialogParent;
};
