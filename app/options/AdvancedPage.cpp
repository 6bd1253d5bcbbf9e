#include "AdvancedPage.h"

#include "popup/PopUpSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace
{
constexpr int kValueWidthChars = 6;
}

AdvancedPage::AdvancedPage(QWidget* parent)
    : QWidget(parent)
{
    auto* popUps = new QGroupBox(QStringLiteral("PopUps"));
    auto* grid = new QGridLayout(popUps);
    int row = 0;
    // A click on an arrow moves it one small step, a click beside the thumb one large step.
    const auto slider = [&](const QString& caption, const NumberSetting& setting, int smallStep, int largeStep) {
        auto* bar = new QScrollBar(Qt::Horizontal, popUps);
        bar->setRange(setting.minimum, setting.maximum);
        bar->setSingleStep(smallStep);
        bar->setPageStep(largeStep);
        auto* value = new QLabel(QString::number(bar->value()), popUps);
        value->setMinimumWidth(value->fontMetrics().averageCharWidth() * kValueWidthChars);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(bar, &QScrollBar::valueChanged, value, [value](int v) { value->setNum(v); });
        grid->addWidget(new QLabel(caption, popUps), row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
        return bar;
    };
    scrShowDelay = slider(QStringLiteral("Show Delay:"), PopUpSettings::kShowDelay, 5, 100);
    scrMovementIndex = slider(QStringLiteral("Movement Index:"), PopUpSettings::kMovementIndex, 1, 5);
    scrScrollDelay = slider(QStringLiteral("Scroll Delay:"), PopUpSettings::kScrollDelay, 1, 10);
    scrPopUpWidth = slider(QStringLiteral("PopUp Width:"), PopUpSettings::kWidth, 100, 1000);
    scrPopUpHeight = slider(QStringLiteral("PopUp Height:"), PopUpSettings::kHeight, 100, 1000);
    grid->setColumnStretch(1, 1);

    btnDefaults = new QPushButton(QStringLiteral("Load Defaults"), this);

    auto* misc = new QGroupBox(QStringLiteral("Misc"));
    auto* miscLayout = new QVBoxLayout(misc);
    chkExportMsg = new QCheckBox(QStringLiteral("Import/export complete popup"), misc);
    chkStartup = new QCheckBox(QStringLiteral("Run at startup"), misc);
    chkEnablePlayLists = new QCheckBox(QStringLiteral("Enable Play Lists"), misc);
    miscLayout->addWidget(chkExportMsg);
    miscLayout->addWidget(chkStartup);
    miscLayout->addWidget(chkEnablePlayLists);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(popUps);
    layout->addWidget(btnDefaults, 0, Qt::AlignRight);
    layout->addWidget(misc);
    layout->addStretch();
}
