#include "audits/directory_chooser.h"

#include "core/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole;

// Folder names compare as the file system compares them; hidden folders are
// listed where the system says the tree should show them.
const Qt::CaseSensitivity kPathCase =
    veq::platform::fileNamesIgnoreCase() ? Qt::CaseInsensitive : Qt::CaseSensitive;
const QDir::Filters kFolders =
    QDir::Dirs | QDir::NoDotAndDotDot | (veq::platform::showsHiddenFolders() ? QDir::Hidden : QDir::Filters());

QString pathOf(const QTreeWidgetItem* item) { return item->data(0, kPathRole).toString(); }

QTreeWidgetItem* folderItem(const QString& path, const QString& label)
{
    auto* item = new QTreeWidgetItem(QStringList{label});
    item->setData(0, kPathRole, path);
    // Whether it has sub-folders is known only once it is read.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

} // namespace

DirectoryChooser::DirectoryChooser(const QString& name, QWidget* parent)
    : QWidget(parent), m_tree(new QTreeWidget(this)), m_pathShown(new QLineEdit(this))
{
    setObjectName(name);

    m_tree->setObjectName(name + QStringLiteral("Tree"));
    m_tree->setHeaderHidden(true);
    // Qt's accessible tree always offers the header as its first row, hidden
    // or not: give the column its name rather than the default "1".
    m_tree->setHeaderLabel(QStringLiteral("Folder"));
    m_tree->setAccessibleName(QStringLiteral("Folders"));
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Double-click already unfolds a folder; Enter should open and unfold alike.
    m_tree->setExpandsOnDoubleClick(false);
    // Deep folders (a Wine prefix's data folder is nine down) scroll sideways
    // rather than elide their names to nothing.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    for (const QFileInfo& drive : QDir::drives()) {
        const QString path = QDir::cleanPath(drive.absoluteFilePath());
        m_tree->addTopLevelItem(folderItem(path, QDir::toNativeSeparators(path)));
    }

    // Read-only but selectable, so a long path can be scrolled and copied.
    m_pathShown->setObjectName(name + QStringLiteral("Path"));
    m_pathShown->setReadOnly(true);
    m_pathShown->setFocusPolicy(Qt::ClickFocus);
    m_pathShown->setAccessibleName(QStringLiteral("Opened folder"));

    auto* layout = new QVBoxLayout(this);
    // The tree takes the height; the path box keeps its one line.
    layout->setContentsMargins(QMargins());
    layout->setSpacing(2);
    layout->addWidget(m_tree);
    layout->addWidget(m_pathShown);

    connect(m_tree, &QTreeWidget::itemExpanded, this, &DirectoryChooser::fill);
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { open(item); });

    setCurrentPath(QDir::currentPath());
}

void DirectoryChooser::fill(QTreeWidgetItem* item)
{
    // A folder not yet read shows the indicator always; once read, only when it has sub-folders.
    if (item->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator)
        return;
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const QDir folder(pathOf(item));
    const QStringList names = folder.entryList(kFolders, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    QList<QTreeWidgetItem*> children;
    children.reserve(names.size());
    for (const QString& child : names)
        children.append(folderItem(QDir::cleanPath(folder.filePath(child)), child));
    item->addChildren(children);
}

QTreeWidgetItem* DirectoryChooser::itemOf(const QString& path)
{
    const QString wanted = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // Start at the drive that holds the path, then go down one folder at a time.
    QTreeWidgetItem* item = nullptr;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* drive = m_tree->topLevelItem(i);
        if (wanted.startsWith(pathOf(drive), kPathCase))
            item = drive;
    }
    while (item && pathOf(item).compare(wanted, kPathCase) != 0) {
        fill(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            const QString childPath = pathOf(item->child(i));
            if (wanted.compare(childPath, kPathCase) == 0 || wanted.startsWith(childPath + QLatin1Char('/'), kPathCase))
                next = item->child(i);
        }
        item = next;
    }
    return item;
}

void DirectoryChooser::setCurrentPath(const QString& path)
{
    if (QTreeWidgetItem* item = itemOf(path)) {
        open(item);
        return;
    }
    // A folder the tree cannot show (gone, or not reachable) is still the one asked for.
    showPath(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

void DirectoryChooser::open(QTreeWidgetItem* item)
{
    if (!item)
        return;
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    m_tree->setCurrentItem(item);
    item->setExpanded(true);
    m_tree->scrollToItem(item);
    showPath(pathOf(item));
}

void DirectoryChooser::showPath(const QString& path)
{
    m_currentPath = path;
    m_pathShown->setText(QDir::toNativeSeparators(path));
    Q_EMIT currentPathChanged(m_currentPath);
}
