#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

class QAction;
class QMenu;

// A control array of menu elements: indexes are 0-based and contiguous, element 0 exists
// from the start (hidden, empty caption) and new elements are appended at the end of the
// menu that holds them. An element's key is its tag text.
//
// Every accessor throws std::out_of_range for an index outside lowerBound()..upperBound(),
// as a missing control-array element would; callers walking the array skip such items.
class TrayMenuArray
{
public:
    Q_DISABLE_COPY_MOVE(TrayMenuArray)

    int lowerBound() const { return 0; }
    int upperBound() const { return int(m_elements.size()) - 1; }
    int count() const { return int(m_elements.size()); }

    QString caption(int i) const;
    // "-" makes the element a separator line; any other caption makes it an item again.
    void setCaption(int i, const QString& caption);
    QString key(int i) const;
    bool isEnabled(int i) const;
    void setEnabled(int i, bool enabled);
    // A checked element shows a check mark; choosing it does not toggle the mark.
    bool isChecked(int i) const;
    void setChecked(int i, bool checked);
    bool isVisible(int i) const;
    QAction* action(int i) const;

private:
    friend class frmSysTray;

    // Creates element 0 in menu; clicked(index) runs when an element is chosen.
    TrayMenuArray(QMenu* menu, std::function<void(int)> clicked);

    // Appends an element (visible, enabled, unchecked, empty caption and key) and returns
    // its index, upperBound() + 1.
    int load();
    // Destroys the last element; element 0 is never destroyed.
    void unloadLast();
    void setKey(int i, const QString& key);
    void setVisible(int i, bool visible);

    QAction* create();
    QAction* at(int i) const;

    QMenu* m_menu;
    std::function<void(int)> m_clicked;
    QList<QAction*> m_elements;
};
