#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// A folder tree with a current path. The current path is the folder the user
// opened (double-click or Enter), not the one merely highlighted, so moving
// through the tree never changes what a search will look at. The path is
// shown under the tree. It starts at the process's current directory.
//
// Folders are read when they are unfolded and only their sub-folders are
// kept: a bitmap folder of 30,000 files costs one listing, not 30,000 rows.
class DirectoryChooser final : public QWidget {
    Q_OBJECT
    // What the user chose, as a line edit's text is: scripts and tests set it alike.
    Q_PROPERTY(QString currentPath READ currentPath WRITE setCurrentPath NOTIFY currentPathChanged USER true)
    // One group for screen readers: the tree and the path it opened.
    Q_CLASSINFO("AccessibleRole", "Grouping")

public:
    DirectoryChooser(const QString& name, QWidget* parent);

    [[nodiscard]] QString currentPath() const { return m_currentPath; }
    // Opens `path` as if the user had opened it in the tree.
    void setCurrentPath(const QString& path);

    [[nodiscard]] QTreeWidget* tree() const { return m_tree; }

Q_SIGNALS:
    void currentPathChanged(const QString& path);

private:
    void open(QTreeWidgetItem* item);
    void fill(QTreeWidgetItem* item);
    QTreeWidgetItem* itemOf(const QString& path);
    void showPath(const QString& path);

    QTreeWidget* m_tree;
    QLineEdit* m_pathShown;
    QString m_currentPath;
};
