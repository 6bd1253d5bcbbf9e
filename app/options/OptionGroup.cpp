#include "OptionGroup.h"

#include <QRadioButton>

QRadioButton* OptionGroup::add(const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    // Exclusivity is ours: Qt's own cannot leave a group with nothing selected.
    button->setAutoExclusive(false);
    const int index = count();
    m_options.append(button);
    connect(button, &QRadioButton::clicked, this, [this, index](bool checked) { userClicked(index, checked); });
    return button;
}

QString OptionGroup::caption(int Index) const
{
    return m_options.at(Index)->text();
}

bool OptionGroup::value(int Index) const
{
    return m_options.at(Index)->isChecked();
}

void OptionGroup::setValue(int Index, bool on)
{
    QRadioButton* button = m_options.at(Index);
    if (button->isChecked() == on)
        return;
    button->setChecked(on);
    if (!on)
        return;
    for (QRadioButton* other : std::as_const(m_options))
        if (other != button)
            other->setChecked(false);
    emit Click(Index);
}

int OptionGroup::selectedIndex() const
{
    for (int i = 0; i < count(); ++i)
        if (m_options.at(i)->isChecked())
            return i;
    return -1;
}

void OptionGroup::userClicked(int Index, bool checked)
{
    // A click on the option that is on would turn it off; an option button stays on.
    if (!checked) {
        m_options.at(Index)->setChecked(true);
        return;
    }
    m_options.at(Index)->setChecked(false);
    setValue(Index, true);
}
