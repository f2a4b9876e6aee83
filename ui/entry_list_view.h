#pragma once

#include <QListView>

#include <vector>

class EntryListModel;
class QFont;

// A list of entry texts: uniform rows (so 32767 items lay out at once), the
// selection mode its window asks for, the Delete key offered to the window as
// its remove action, a context menu asked of the window, and a current row
// that survives changes of the list: when its item goes, the nearest
// remaining row becomes current.
class EntryListView final : public QListView {
    Q_OBJECT

public:
    EntryListView(const QString& name, EntryListModel* model, QAbstractItemView::SelectionMode mode, const QFont& font,
                  QWidget* parent);

    [[nodiscard]] EntryListModel* entryModel() const { return m_model; }
    // Positions of the selected rows, ascending.
    [[nodiscard]] std::vector<std::size_t> selectedPositions() const;
    // From now on local files dropped on the list are offered through filesDropped.
    void acceptFileDrops();

Q_SIGNALS:
    void deleteKeyPressed();
    void filesDropped(const QStringList& paths);
    // A right-click, the Menu key or Shift+F10: the menu opens at `globalPos`.
    void menuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The local files a drag carries; empty when it carries anything else or the list takes no files.
    [[nodiscard]] QStringList droppedFiles(const QDropEvent* event) const;
    // Where a menu asked from the keyboard opens: under the current row, or
    // at the list's corner.
    [[nodiscard]] QPoint keyboardMenuPlace() const;

    EntryListModel* m_model;
    bool m_acceptsFiles = false;
    int m_currentBeforeChange = -1;
};
