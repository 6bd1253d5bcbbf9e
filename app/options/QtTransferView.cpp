#include "QtTransferView.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace
{

QString runDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setNameFilter(request.filter);
    // The Windows dialog's read-only box has no Qt counterpart; the overwrite prompt is
    // QFileDialog's default for saving.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtTransferView::QtTransferView(QWidget* dialogParent)
    : m_dialogParent(dialogParent)
{
}

QString QtTransferView::saveFileName(const FileDialogRequest& request)
{
    return runDialog(m_dialogParent, request, QFileDialog::AcceptSave);
}

QString QtTransferView::openFileName(const FileDialogRequest& request)
{
    return runDialog(m_dialogParent, request, QFileDialog::AcceptOpen);
}

void QtTransferView::processEvents()
{
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < eventIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}
