#pragma once

#include "Desktop.h"

#include <QHash>
#include <QString>

// Desktop services on Qt. Icon resources are PNG files named "<name>-<size>.png" in an
// icon folder; a size without its own file is scaled from the largest one.
class QtDesktop : public Desktop
{
public:
    explicit QtDesktop(QString iconDir);

    void messageBox(const QString& text) override;
    void showWindow(QWidget* window) override;
    void hideWindow(QWidget* window) override;
    void raiseWindow(QWidget* window) override;
    IconId loadIcon(const QString& name, int size) override;
    QIcon icon(IconId handle) const override;
    void setWindowIcons(QWidget* window, IconId big, IconId small) override;
    QStringList installedFonts() const override;
    QFont systemFont() const override;
    QString closestInstalledFont(const QString& family) const override;
    void openUrl(const QString& address) override;
    QString tempDir() const override;

private:
    QString m_iconDir;
    QHash<QString, IconId> m_handleByKey;
    QHash<IconId, QIcon> m_iconByHandle;
};
