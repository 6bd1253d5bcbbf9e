#pragma once

#include <QFont>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

// "Font  ": the pop-up message font and its preview.
class FontPage : public QWidget
{
    Q_OBJECT
public:
    explicit FontPage(QWidget* parent = nullptr);

    // The font the selectors name, which the pop-ups draw their messages in.
    QFont messageFont() const;
    // The same from stored values; a size of 0 leaves the family's own.
    static QFont messageFont(const QString& family, int pointSize, bool bold, bool italic);
    // The size the list offers nearest to pointSize.
    static int nearestListedSize(int pointSize);
    // Refills the size list and leaves it with no selection, as an emptied list does.
    void FillFontSizes();

private:
    friend class OptionSettings;

    void cboFonts_Click();
    void cboFontSize_Click();
    void chkFontBold_Click();
    void chkFontItalic_Click();
    void UpdateFontPreview();

    QComboBox* cboFonts;
    QComboBox* cboFontSize;
    QCheckBox* chkFontBold;
    QCheckBox* chkFontItalic;
    QLabel* lblSample;
    // The selectors' last values: a preview is redrawn only when one really changed.
    int mLastFontIndex = 0;
    int mLastFontSizeIndex = 0;
    bool mLastFontBold = false;
    bool mLastFontItalic = false;
};
