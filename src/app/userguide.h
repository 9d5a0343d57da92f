#pragma once

#include <QString>
#include <QUrl>

// Where the user guide kovelaTark9.pdf is: beside the program (the build folder, a Windows
// installation) or in the data folder of an installation under a prefix (share/kovelaTark9
// beside bin/). Looked up from the program's own folder, so that an installation keeps
// working wherever its prefix is.
class UserGuide
{
public:
    static const QString FileName;

    // The guide's file URL, or an empty URL when it is in neither place.
    static QUrl url(const QString &programDir);
};
