#include "FontPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace
{
constexpr int kSampleHeight = 120;
}

FontPage::FontPage(QWidget* parent)
    : QWidget(parent)
{
    auto* font = new QGroupBox(QStringLiteral("Font"));
    auto* grid = new QGridLayout(font);
    cboFonts = new QComboBox(font);
    cboFontSize = new QComboBox(font);
    chkFontBold = new QCheckBox(QStringLiteral("Bold"), font);
    chkFontItalic = new QCheckBox(QStringLiteral("Italic"), font);
    grid->addWidget(cboFonts, 0, 0, 1, 2);
    grid->addWidget(cboFontSize, 0, 2);
    grid->addWidget(chkFontBold, 1, 0);
    grid->addWidget(chkFontItalic, 1, 1);
    grid->setColumnStretch(0, 1);

    lblSample = new QLabel(this);
    lblSample->setAlignment(Qt::AlignCenter);
    lblSample->setFrameShape(QFrame::StyledPanel);
    lblSample->setMinimumHeight(kSampleHeight);
    lblSample->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(font);
    layout->addWidget(lblSample);
    layout->addStretch();
}
