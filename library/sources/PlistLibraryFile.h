#pragma once

#include "FileLibrary.h"

#include "player/plist/MusicLibrary.h"

// A library property-list file ("iTunes Music Library.xml", the kind the simulated player
// plays, or one copied from another computer) as a library source. Keys this program does
// not change are written back as they were read.
class PlistLibraryFile : public FileLibrary
{
public:
    explicit PlistLibraryFile(QString path);

    bool load(QString* error) override;

protected:
    QString kind() const override { return QStringLiteral("library file"); }
    bool writeChanges(const std::vector<int>& changed, QString* error) override;

private:
    // False with *error unless the file at path() holds the entries' values.
    bool readsBack(const std::vector<int>& changed, QString* error) const;

    MusicLibrary m_library;
};
