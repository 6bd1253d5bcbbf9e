#pragma once

#include "platform/desktop/Desktop.h"

#include <QStringList>
#include <QWidget>

#include <functional>

// Records what the program asked of the desktop; shows and hides windows for real so tests
// can look at visibility. onMessage runs inside a message box, as its nested loop would.
class FakeDesktop : public Desktop
{
public:
    void messageBox(const QString& text) override
    {
        messages << text;
        if (onMessage)
            onMessage();
    }
    void showWindow(QWidget* window) override { window->show(); }
    void hideWindow(QWidget* window) override { window->hide(); }
    void raiseWindow(QWidget* window) override { raised << window; }
    IconId loadIcon(const QString& name, int size) override
    {
        const QString key = name + QLatin1Char('@') + QString::number(size);
        if (!iconKeys.contains(key))
            iconKeys << key;
        return static_cast<IconId>(iconKeys.indexOf(key) + 1);
    }
    QIcon icon(IconId) const override { return QIcon(); }
    void setWindowIcons(QWidget*, IconId, IconId) override { }
    QStringList installedFonts() const override { return fonts; }
    QFont systemFont() const override { return QFont(systemFamily, 10); }
    QString closestInstalledFont(const QString&) const override { return systemFamily; }
    void openUrl(const QString&) override { }
    QString tempDir() const override { return temp; }

    QStringList messages;
    std::function<void()> onMessage;
    QList<QWidget*> raised;
    QStringList iconKeys;
    QString temp = QStringLiteral("/tmp/");
    QString systemFamily = QStringLiteral("DejaVu Sans");
    QStringList fonts { "Arial", "DejaVu Sans", "Liberation Serif" };
};
