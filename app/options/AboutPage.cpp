#include "AboutPage.h"

#include "ControlNames.h"
#include "app/Branding.h"
#include "platform/desktop/Desktop.h"

#include "Version.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
constexpr int kVersionPointSize = 12;
}

AboutPage::AboutPage(const QString& pictureFile, Desktop& desktop, QWidget* parent)
    : QWidget(parent)
    , m_desktop(desktop)
{
    picAbout = new QLabel(this);
    picAbout->setPixmap(QPixmap(pictureFile));
    picAbout->setAlignment(Qt::AlignCenter);
    lblAbout = new QLabel(QStringLiteral("version x.x"), this);
    lblAbout->setFont(QFont(QStringLiteral("Verdana"), kVersionPointSize));
    lblAbout->setAlignment(Qt::AlignCenter);
    Command3 = new QPushButton(QStringLiteral("About"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(picAbout);
    layout->addWidget(lblAbout);
    layout->addWidget(Command3, 0, Qt::AlignCenter);
    layout->addStretch();

    nameControls({ { picAbout, "picAbout" }, { lblAbout, "lblAbout" }, { Command3, "Command3" } });
    connect(Command3, &QPushButton::clicked, this, &AboutPage::Command3_Click);
}

void AboutPage::showVersion(const QString& version)
{
    lblAbout->setText(QStringLiteral("version ") + version);
}

void AboutPage::Command3_Click()
{
    const QString text = QStringLiteral("Bolvin %1\r\n%2\r\n\r\n%3")
                             .arg(Version::text(), QString::fromLatin1(kAuthorLine), QString::fromLatin1(kWebAddress));
    m_desktop.messageBox(text);
}
