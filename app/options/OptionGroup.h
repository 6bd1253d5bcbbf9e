#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QRadioButton;
class QWidget;

// An indexed group of option buttons of which at most one is on, and possibly none, as a
// settings load may leave it. Click(Index) fires whenever an option turns on, by the user
// or by the program; turning on the option that is already on raises nothing.
class OptionGroup : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Appends an option; its index is the count before the call.
    QRadioButton* add(const QString& caption, QWidget* parent);

    int count() const { return int(m_options.size()); }
    QRadioButton* option(int Index) const { return m_options.at(Index); }
    QString caption(int Index) const;
    bool value(int Index) const;
    // Turning an option on turns the others off; turning it off leaves the group empty.
    void setValue(int Index, bool on);
    // The option that is on, or -1.
    int selectedIndex() const;

signals:
    void Click(int Index);

private:
    void userClicked(int Index, bool checked);

    QList<QRadioButton*> m_options;
};
