#include "audits/directory_chooser.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

DirectoryChooser::DirectoryChooser(const QString& name, QWidget* parent)
    : QWidget(parent), m_model(new QFileSystemModel(this)), m_tree(new QTreeView(this)),
      m_pathShown(new QLineEdit(this))
{
    setObjectName(name);

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_model->setRootPath(QDir::rootPath());

    m_tree->setObjectName(name + QStringLiteral("Tree"));
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    // Deep folders scroll sideways rather than cut their names short.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Double-click already unfolds a folder; Enter should open and unfold alike.
    m_tree->setExpandsOnDoubleClick(false);

    // Read-only but selectable, so a long path can be scrolled and copied.
    m_pathShown->setObjectName(name + QStringLiteral("Path"));
    m_pathShown->setReadOnly(true);
    m_pathShown->setFocusPolicy(Qt::ClickFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_pathShown);

    connect(m_tree, &QTreeView::activated, this, &DirectoryChooser::open);
    // The model fills folders in the background: the opened folder gets its row
    // only when its parent has been read, and only then can the tree scroll to it.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (m_revealPending && QDir::cleanPath(loaded) == QFileInfo(m_currentPath).absolutePath()) {
            m_revealPending = false;
            reveal();
        }
    });

    setCurrentPath(QDir::currentPath());
}

void DirectoryChooser::setCurrentPath(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QModelIndex index = m_model->index(absolute);
    if (index.isValid()) {
        open(index);
        return;
    }
    // A folder the tree cannot show (gone, or not reachable) is still the one asked for.
    m_currentPath = absolute;
    m_pathShown->setText(QDir::toNativeSeparators(absolute));
    Q_EMIT currentPathChanged(m_currentPath);
}

void DirectoryChooser::open(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_currentPath = m_model->filePath(index);
    m_pathShown->setText(QDir::toNativeSeparators(m_currentPath));
    m_tree->setCurrentIndex(index);
    m_tree->expand(index);
    m_revealPending = true;
    reveal();
    Q_EMIT currentPathChanged(m_currentPath);
}

void DirectoryChooser::reveal()
{
    const QModelIndex index = m_model->index(m_currentPath);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->scrollTo(index);
}
