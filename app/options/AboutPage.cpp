#include "AboutPage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
constexpr int kVersionPointSize = 12;
}

AboutPage::AboutPage(const QString& pictureFile, QWidget* parent)
    : QWidget(parent)
{
    picAbout = new QLabel(this);
    picAbout->setPixmap(QPixmap(pictureFile));
    picAbout->setAlignment(Qt::AlignCenter);
    lblAbout = new QLabel(QStringLiteral("version x.x"), this);
    lblAbout->setObjectName(QStringLiteral("lblAbout"));
    lblAbout->setFont(QFont(QStringLiteral("Verdana"), kVersionPointSize));
    lblAbout->setAlignment(Qt::AlignCenter);
    Command3 = new QPushButton(QStringLiteral("About"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(picAbout);
    layout->addWidget(lblAbout);
    layout->addWidget(Command3, 0, Qt::AlignCenter);
    layout->addStretch();
}
