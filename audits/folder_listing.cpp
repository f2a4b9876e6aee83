#include "audits/folder_listing.h"

#include <QDir>
#include <QDirIterator>

veq::Entries listBitmapFolder(const QString& folder)
{
    veq::Entries names;
    if (folder.isEmpty())
        return names;
    // Without QDir::Hidden and QDir::System the iterator drops exactly the
    // entries a search for ordinary and read-only files would not find.
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.push_back(it.fileName().toStdString());
    }
    return names;
}
