#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// "About": the program's picture, version and the About button.
class AboutPage : public QWidget
{
    Q_OBJECT
public:
    AboutPage(const QString& pictureFile, QWidget* parent = nullptr);

    QLabel* picAbout;
    QLabel* lblAbout;
    QPushButton* Command3;
};
