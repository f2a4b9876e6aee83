#include "editor/main_list.h"

#include "ui/accessibility.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/messenger.h"
#include "ui/removal.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>

#include <utility>

namespace {

// The three histories together keep within 64 MiB: a hundred reads of full
// files over other full files, say, hold that much and more.
constexpr std::size_t kHistoryBudget = std::size_t{64} * 1024 * 1024 / 3;

// "1 entry", "1,000 entries".
QString entryCount(std::size_t count)
{
    const QString number = QLocale(QLocale::English).toString(static_cast<qulonglong>(count));
    return count == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(number);
}

} // namespace

MainList::MainList(veq::ListId id, EntryListView* view, QLabel* countLabel)
    : m_id(id), m_view(view), m_countLabel(countLabel), m_history(kHistoryBudget)
{
}

EntryListModel& MainList::model() const { return *m_view->entryModel(); }

std::size_t MainList::Step::bytes() const
{
    return sizeof *this - sizeof entries + entries.bytes() + static_cast<std::size_t>(name.capacity()) * sizeof(QChar);
}

void MainList::read(veq::DataFile file, const QString& fileName)
{
    FileAsRead replaced = std::exchange(m_asRead, FileAsRead{file.headers});
    record(QStringLiteral("Read %1").arg(QFileInfo(fileName).fileName()), model().assign(std::move(file.entries)),
           std::move(replaced));
}

void MainList::add(veq::Entries items, const QString& action)
{
    // Adding nothing leaves the label as it is, blank before the first read.
    if (items.empty())
        return;
    veq::EntryChange added = model().addMany(std::move(items));
    const QString name = QStringLiteral("%1 %2").arg(action, entryCount(added.broughtIn()));
    record(name, std::move(added));
}

void MainList::deleteSelected(Messenger& messenger)
{
    veq::EntryChange removed = removeSelectedEntries(*m_view, kDeleteLimit, nullptr, messenger);
    const QString name = QStringLiteral("Delete %1").arg(entryCount(removed.takenOut()));
    record(name, std::move(removed));
}

void MainList::record(const QString& name, veq::EntryChange entries, std::optional<FileAsRead> replaced)
{
    const bool countShown = !m_countLabel->text().isEmpty();
    showCount(m_countLabel, model().count());
    // A read is a step even when the file holds what the list held: the
    // stored file is another one now.
    if (!entries.empty() || replaced)
        m_history.push({name, std::move(entries), std::move(replaced), countShown});
}

void MainList::flip(Step& step)
{
    model().flip(step.entries);
    if (step.file)
        std::swap(*step.file, m_asRead);
    const bool countShown = !m_countLabel->text().isEmpty();
    if (step.countShown) {
        showCount(m_countLabel, model().count());
    } else {
        m_countLabel->clear();
        renameCountLabel(m_countLabel);
    }
    step.countShown = countShown;
}

void MainList::undo()
{
    m_history.undo([this](Step& step) { flip(step); });
}

void MainList::redo()
{
    m_history.redo([this](Step& step) { flip(step); });
}

QString MainList::undoName() const
{
    const Step* step = m_history.toUndo();
    return step ? step->name : QString();
}

QString MainList::redoName() const
{
    const Step* step = m_history.toRedo();
    return step ? step->name : QString();
}

void MainList::copy() const
{
    QStringList lines;
    for (std::size_t row : m_view->selectedPositions())
        lines << QString::fromStdString(model().entries()[row]);
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}

void MainList::paste(Messenger& messenger)
{
    auto entries = veq::pastedEntries(m_id, QGuiApplication::clipboard()->text().toStdString());
    if (entries)
        add(std::move(*entries), QStringLiteral("Paste"));
    else
        messenger.tell(QString::fromStdString(entries.reason()));
}
