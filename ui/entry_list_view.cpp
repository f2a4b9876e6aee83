#include "ui/entry_list_view.h"

#include "ui/entry_list_model.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

EntryListView::EntryListView(const QString& name, EntryListModel* model, QAbstractItemView::SelectionMode mode,
                             const QFont& font, QWidget* parent)
    : QListView(parent), m_model(model)
{
    setObjectName(name);
    setFont(font);
    setModel(model);
    setSelectionMode(mode);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this,
            [this] { m_currentBeforeChange = currentIndex().row(); });
    // A removal that takes the current row moves it to the row now in its
    // place, or to the last row; an empty list, or none current before, gives
    // the invalid index, which leaves none current.
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
        if (!currentIndex().isValid())
            selectionModel()->setCurrentIndex(m_model->index(std::min(m_currentBeforeChange, m_model->rowCount() - 1)),
                                              QItemSelectionModel::NoUpdate);
    });
}

std::vector<std::size_t> EntryListView::selectedPositions() const
{
    std::vector<std::size_t> positions;
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row)
            positions.push_back(static_cast<std::size_t>(row));
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

void EntryListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Q_EMIT deleteKeyPressed();
        return;
    }
    // Some platforms make these keys a context menu event, others (X11) leave them keys.
    if ((event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier) ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        Q_EMIT menuRequested(keyboardMenuPlace());
        return;
    }
    QListView::keyPressEvent(event);
}

void EntryListView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    Q_EMIT menuRequested(event->reason() == QContextMenuEvent::Keyboard ? keyboardMenuPlace() : event->globalPos());
}

QPoint EntryListView::keyboardMenuPlace() const
{
    const QRect row = visualRect(currentIndex());
    return viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint(0, 0));
}

void EntryListView::acceptFileDrops()
{
    m_acceptsFiles = true;
    viewport()->setAcceptDrops(true);
}

QStringList EntryListView::droppedFiles(const QDropEvent* event) const
{
    QStringList paths;
    const QMimeData* mime = event->mimeData();
    if (!m_acceptsFiles || !mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

void EntryListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFiles(event).isEmpty())
        QListView::dragEnterEvent(event);
    else
        event->acceptProposedAction();
}

void EntryListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedFiles(event).isEmpty())
        QListView::dragMoveEvent(event);
    else
        event->acceptProposedAction();
}

void EntryListView::dropEvent(QDropEvent* event)
{
    const QStringList paths = droppedFiles(event);
    if (paths.isEmpty()) {
        QListView::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    Q_EMIT filesDropped(paths);
}
