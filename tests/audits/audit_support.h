#pragma once

#include "tests/support/gui_support.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A folder of bitmaps made by the test: each file holds one byte, as only
// names matter to the audits.
class BitmapFolder {
public:
    BitmapFolder() { EXPECT_TRUE(m_dir.isValid()); }

    [[nodiscard]] QString path() const { return QDir::cleanPath(m_dir.path()); }
    [[nodiscard]] QString filePath(const QString& name) const { return m_dir.filePath(name); }

    void add(const char* name) { writeBytes(filePath(QString::fromLatin1(name)), {0x42}); }
    void addReadOnly(const char* name)
    {
        add(name);
        EXPECT_TRUE(QFile::setPermissions(filePath(QString::fromLatin1(name)), QFileDevice::ReadOwner));
    }
    void addFolder(const char* name) { EXPECT_TRUE(QDir(m_dir.path()).mkdir(QString::fromLatin1(name))); }

private:
    QTemporaryDir m_dir;
};
