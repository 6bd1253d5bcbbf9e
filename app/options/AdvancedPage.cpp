#include "AdvancedPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
struct SliderRange {
    int minimum;
    int maximum;
    int smallStep;
    int largeStep;
};
constexpr SliderRange kShowDelay { 1, 10000, 5, 100 };
constexpr SliderRange kMovementIndex { 1, 100, 1, 5 };
constexpr SliderRange kScrollDelay { 1, 200, 1, 10 };
constexpr SliderRange kPopUpSize { 1000, 10000, 100, 1000 };
constexpr int kValueWidthChars = 6;
}

AdvancedPage::AdvancedPage(QWidget* parent)
    : QWidget(parent)
{
    auto* popUps = new QGroupBox(QStringLiteral("PopUps"));
    auto* grid = new QGridLayout(popUps);
    int row = 0;
    const auto slider = [&](const QString& caption, const SliderRange& range) {
        auto* bar = new QScrollBar(Qt::Horizontal, popUps);
        bar->setRange(range.minimum, range.maximum);
        bar->setSingleStep(range.smallStep);
        bar->setPageStep(range.largeStep);
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
    scrShowDelay = slider(QStringLiteral("Show Delay:"), kShowDelay);
    scrMovementIndex = slider(QStringLiteral("Movement Index:"), kMovementIndex);
    scrScrollDelay = slider(QStringLiteral("Scroll Delay:"), kScrollDelay);
    scrPopUpWidth = slider(QStringLiteral("PopUp Width:"), kPopUpSize);
    scrPopUpHeight = slider(QStringLiteral("PopUp Height:"), kPopUpSize);
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
