#include "TrayMenuArray.h"

#include <QAction>
#include <QMenu>

#include <stdexcept>

namespace
{
const QString kSeparatorCaption = QStringLiteral("-");
// The caption as set, kept apart from the action's text, which a separator must not have.
constexpr auto kCaptionProperty = "caption";
}

TrayMenuArray::TrayMenuArray(QMenu* menu, std::function<void(int)> clicked)
    : m_menu(menu)
    , m_clicked(std::move(clicked))
{
    QAction* first = create();
    first->setVisible(false);
}

QString TrayMenuArray::caption(int i) const
{
    return at(i)->property(kCaptionProperty).toString();
}

void TrayMenuArray::setCaption(int i, const QString& caption)
{
    QAction* element = at(i);
    element->setProperty(kCaptionProperty, caption);
    const bool separator = caption == kSeparatorCaption;
    element->setSeparator(separator);
    // Styles print a separator's text beside its line.
    element->setText(separator ? QString() : caption);
}

QString TrayMenuArray::key(int i) const
{
    return at(i)->data().toString();
}

bool TrayMenuArray::isEnabled(int i) const
{
    return at(i)->isEnabled();
}

void TrayMenuArray::setEnabled(int i, bool enabled)
{
    at(i)->setEnabled(enabled);
}

bool TrayMenuArray::isChecked(int i) const
{
    return at(i)->isChecked();
}

void TrayMenuArray::setChecked(int i, bool checked)
{
    // Only checked elements are checkable, so styles draw no empty box beside the others.
    QAction* element = at(i);
    element->setCheckable(checked);
    element->setChecked(checked);
}

bool TrayMenuArray::isVisible(int i) const
{
    return at(i)->isVisible();
}

QAction* TrayMenuArray::action(int i) const
{
    return at(i);
}

int TrayMenuArray::load()
{
    create();
    return upperBound();
}

void TrayMenuArray::unloadLast()
{
    if (m_elements.size() > 1)
        delete m_elements.takeLast();
}

void TrayMenuArray::setKey(int i, const QString& key)
{
    at(i)->setData(key);
}

void TrayMenuArray::setVisible(int i, bool visible)
{
    at(i)->setVisible(visible);
}

QAction* TrayMenuArray::create()
{
    auto* element = new QAction(m_menu);
    element->setData(QString());
    element->setProperty(kCaptionProperty, QString());
    const int index = int(m_elements.size());
    QObject::connect(element, &QAction::triggered, element, [this, element, index](bool checked) {
        // Choosing a checkable action flips its mark; the owner decides the marks, so undo it.
        if (element->isCheckable())
            element->setChecked(!checked);
        m_clicked(index);
    });
    m_menu->addAction(element);
    m_elements.append(element);
    return element;
}

QAction* TrayMenuArray::at(int i) const
{
    if (i < 0 || i >= m_elements.size())
        throw std::out_of_range("menu array index " + std::to_string(i) + " does not exist");
    return m_elements.at(i);
}
