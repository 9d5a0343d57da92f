#include "app/userguide.h"

#include <QDir>
#include <QFileInfo>

const QString UserGuide::FileName = QStringLiteral("kovelaTark9.pdf");

QUrl UserGuide::url(const QString &programDir)
{
    const QDir dir(programDir);
    // TARK9_DATA_FROM_PROGRAM is the installation's data folder relative to its program folder
    // ("../share/kovelaTark9"), stamped in by the build from the install layout.
    for (const QString &candidate : {dir.filePath(FileName), dir.filePath(QStringLiteral(TARK9_DATA_FROM_PROGRAM "/") + FileName)}) {
        const QFileInfo file(candidate);
        if (file.isFile())
            return QUrl::fromLocalFile(file.canonicalFilePath());
    }
    return QUrl();
}
