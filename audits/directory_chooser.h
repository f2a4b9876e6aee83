#pragma once

#include <QString>
#include <QWidget>

class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QTreeView;

// A folder tree with a current path. The current path is the folder the user
// opened (double-click or Enter), not the one merely highlighted, so moving
// through the tree never changes what a search will look at. The path is
// shown under the tree. It starts at the process's current directory.
class DirectoryChooser final : public QWidget {
    Q_OBJECT

public:
    DirectoryChooser(const QString& name, QWidget* parent);

    [[nodiscard]] QString currentPath() const { return m_currentPath; }
    // Opens `path` as if the user had opened it in the tree.
    void setCurrentPath(const QString& path);

    [[nodiscard]] QTreeView* tree() const { return m_tree; }

Q_SIGNALS:
    void currentPathChanged(const QString& path);

private:
    void open(const QModelIndex& index);
    void reveal();

    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QLineEdit* m_pathShown;
    QString m_currentPath;
    bool m_revealPending = false;
};
