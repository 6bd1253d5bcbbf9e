#include "BackgroundPictures.h"

#include "platform/desktop/PictureFile.h"

#include <QDir>

BackgroundPictures::BackgroundPictures(QString dir)
    : m_dir(std::move(dir))
{
}

QPixmap BackgroundPictures::picture(int choice) const
{
    if (!m_pictures) {
        m_pictures.emplace();
        for (std::size_t i = 0; i < m_pictures->size(); ++i)
            (*m_pictures)[i] = PictureFile::read(QDir(m_dir).filePath(QStringLiteral("back%1.png").arg(i)));
    }
    return choice >= 0 && choice < int(m_pictures->size()) ? (*m_pictures)[std::size_t(choice)] : QPixmap();
}
