#pragma once

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

    QComboBox* cboFonts;
    QComboBox* cboFontSize;
    QCheckBox* chkFontBold;
    QCheckBox* chkFontItalic;
    QLabel* lblSample;
};
