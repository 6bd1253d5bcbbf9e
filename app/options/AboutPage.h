#pragma once

#include <QWidget>

class Desktop;
class QLabel;
class QPushButton;

// "About": the program's picture, version and the About button.
class AboutPage : public QWidget
{
    Q_OBJECT
public:
    AboutPage(const QString& pictureFile, Desktop& desktop, QWidget* parent = nullptr);

    void showVersion(const QString& version);

private:
    void Command3_Click();

    Desktop& m_desktop;
    QLabel* picAbout;
    QLabel* lblAbout;
    QPushButton* Command3;
};
