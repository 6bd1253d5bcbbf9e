#include "FontPage.h"

#include "ControlNames.h"
#include "player/IgnoringErrors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <array>
#include <cstdlib>

namespace
{
constexpr int kSampleHeight = 120;
constexpr std::array<int, 18> kFontSizes { 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };
constexpr int kFallbackSizeEntry = 2;
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

    nameControls({ { cboFonts, "cboFonts" }, { cboFontSize, "cboFontSize" }, { chkFontBold, "chkFontBold" },
        { chkFontItalic, "chkFontItalic" }, { lblSample, "lblSample" } });
    connect(cboFonts, &QComboBox::currentIndexChanged, this, &FontPage::cboFonts_Click);
    connect(cboFontSize, &QComboBox::currentIndexChanged, this, &FontPage::cboFontSize_Click);
    connect(chkFontBold, &QCheckBox::toggled, this, &FontPage::chkFontBold_Click);
    connect(chkFontItalic, &QCheckBox::toggled, this, &FontPage::chkFontItalic_Click);
}

void FontPage::cboFonts_Click()
{
    const int index = cboFonts->currentIndex();
    if (index != mLastFontIndex) {
        FillFontSizes();
        UpdateFontPreview();
    }
    mLastFontIndex = index;
}

void FontPage::cboFontSize_Click()
{
    const int index = cboFontSize->currentIndex();
    if (index != mLastFontSizeIndex)
        UpdateFontPreview();
    mLastFontSizeIndex = index;
}

void FontPage::chkFontBold_Click()
{
    const bool bold = chkFontBold->isChecked();
    if (bold != mLastFontBold)
        UpdateFontPreview();
    mLastFontBold = bold;
}

void FontPage::chkFontItalic_Click()
{
    const bool italic = chkFontItalic->isChecked();
    if (italic != mLastFontItalic)
        UpdateFontPreview();
    mLastFontItalic = italic;
}

void FontPage::FillFontSizes()
{
    const QSignalBlocker quiet(cboFontSize);
    cboFontSize->clear();
    for (const int size : kFontSizes)
        cboFontSize->addItem(QString::number(size));
    cboFontSize->setCurrentIndex(-1);
    mLastFontSizeIndex = -1;
}

void FontPage::UpdateFontPreview()
{
    ignoringErrors([this] {
        lblSample->setText(QStringLiteral("Preview font\r\n") + cboFonts->currentText());
        if (cboFontSize->currentText().isEmpty()) {
            const QSignalBlocker quiet(cboFontSize);
            cboFontSize->setCurrentIndex(kFallbackSizeEntry);
            mLastFontSizeIndex = kFallbackSizeEntry;
        }
        lblSample->setFont(messageFont());
    });
}

QFont FontPage::messageFont() const
{
    return messageFont(cboFonts->currentText(), cboFontSize->currentText().toInt(), chkFontBold->isChecked(),
        chkFontItalic->isChecked());
}

QFont FontPage::messageFont(const QString& family, int pointSize, bool bold, bool italic)
{
    QFont font(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

int FontPage::nearestListedSize(int pointSize)
{
    int nearest = kFontSizes.front();
    for (const int size : kFontSizes)
        if (std::abs(size - pointSize) < std::abs(nearest - pointSize))
            nearest = size;
    return nearest;
}
