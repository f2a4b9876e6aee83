#include "editor/veq_window.h"

#include "audits/extra_window.h"
#include "audits/missing_window.h"
#include "autogen/autogen_window.h"
#include "core/sentences.h"
#include "dialogs/add_dialog.h"
#include "dialogs/copy_dialog.h"
#include "dialogs/please_wait.h"
#include "editor/main_list.h"
#include "ui/accessibility.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"
#include "ui/layout.h"
#include "ui/list_names.h"
#include "ui/messenger.h"
#include "ui/removal.h"
#include "ui/window_keeper.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

using veq::ListId;

namespace {

QString suggestedName(ListId listId) { return listFileName(listId); }

// A standard key's bindings. Desktops differ in their redo key, so outside
// macOS both Ctrl+Shift+Z and Ctrl+Y redo.
QList<QKeySequence> keysOf(QKeySequence::StandardKey key)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
#ifndef Q_OS_MACOS
    if (key == QKeySequence::Redo)
        for (const QKeySequence& extra :
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
            if (!keys.contains(extra))
                keys.append(extra);
#endif
    return keys;
}

// "Undo Add 1 entry to Except", or "Undo" alone when there is nothing to undo.
QString stepCaption(const char* command, const std::string& step)
{
    const QString caption = QString::fromLatin1(command);
    return step.empty() ? caption : caption + u' ' + fromCore(step);
}

} // namespace

VEQ::VEQ(FileDialogs& fileDialogs, QWidget* parent) : QWidget(parent), m_fileDialogs(fileDialogs)
{
    // Screen readers learn the roles of the program's windows from here on, this one first.
    installAccessibleRoles();
    setObjectName(QStringLiteral("VEQ"));
    setWindowTitle(QStringLiteral("VEQ Editor"));
    sizeClientTwips(this, 12330, 9555);
    buildControls();
    buildListKeys();
    new WindowKeeper(this);
}

VEQ::~VEQ()
{
    // The views go before the workspace their models follow, and the window
    // stops following the keyboard first: their destruction moves it.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    for (const auto& list : m_lists)
        delete &list->view();
}

void VEQ::buildControls()
{
    // Frames first, so that the window's own lists and buttons are drawn over them.
    auto frame = [this](const char* name, const char* caption, int l, int t, int w, int h) {
        auto* box = new QGroupBox(QString::fromLatin1(caption), this);
        box->setObjectName(QString::fromLatin1(name));
        placeTwips(box, l, t, w, h);
        return box;
    };
    QGroupBox* framePlaneSq = frame("framePlaneSq", "PlaneSQ", 120, 720, 3255, 8775);
    QGroupBox* frameFielList = frame("frameFielList", "FileList", 3600, 720, 3135, 8775);
    QGroupBox* frameExcept = frame("frameExcept", "Except", 6960, 600, 5175, 8895);

    // Each list and its count are named after its frame for screen readers.
    const QFont entryFont = listFont(9.75);
    auto list = [&](ListId id, const char* name, int l, int t, int w, int h, QLabel* count) {
        auto* model = new EntryListModel(m_work.document(id).list(), this);
        m_work.watch(id, model);
        auto* view = new EntryListView(QString::fromLatin1(name), model, QAbstractItemView::ExtendedSelection,
                                       entryFont, this);
        model->setParent(view);
        placeTwips(view, l, t, w, h);
        nameControl(view, listCaption(id), QStringLiteral("Entries of %1").arg(suggestedName(id)));
        nameCountLabel(count, listCaption(id));
        m_lists[veq::slotOf(id)] = std::make_unique<MainList>(id, view, count);
        view->acceptFileDrops();
        // Queued, so the read runs after the drop has ended.
        connect(
            view, &EntryListView::filesDropped, this, [this, id](const QStringList& paths) { filesDropped(id, paths); },
            Qt::QueuedConnection);
        connect(view, &EntryListView::menuRequested, this,
                [this, id](const QPoint& globalPos) { showListMenu(id, globalPos); });
    };
    list(ListId::PlaneSq, "lPlaneSq", 240, 960, 1695, 8220,
         label(framePlaneSq, "labCountPlaneSq", "", 2040, 7800, 1095, 375));
    list(ListId::FileList, "lFileList", 3720, 960, 1695, 8460,
         label(frameFielList, "labCountFileList", "", 2040, 7800, 975, 375));
    list(ListId::Except, "lExcept", 7080, 960, 3855, 8460,
         label(frameExcept, "labCountExcept", "", 4080, 7920, 975, 375));

    // Captions repeat from list to list, so each button's accessible name says
    // which file or list it serves, starting with its caption.
    struct Button {
        QWidget* parent;
        const char* name;
        const char* caption;
        int left, top, width, height;
        void (VEQ::*click)();
        const char* spoken;
    };
    const Button buttons[] = {
        {this, "bAuoGen", "AutoGen", 240, 120, 1695, 375, &VEQ::bAuoGen_Click,
         "AutoGen PlaneSQ entries from squadron.dat"},
        {this, "bMissing", "Missing", 2280, 120, 1695, 375, &VEQ::bMissing_Click,
         "Missing bitmaps of the FileList and Except lists"},
        {this, "bExtra", "Extra", 4320, 120, 1695, 375, &VEQ::bExtra_Click, "Extra bitmaps not in the FileList list"},
        {this, "bExit", "Exit", 10320, 120, 1215, 375, &VEQ::bExit_Click, "Exit without saving"},
        {this, "bRdPlaneSq", "Read", 2040, 1080, 1095, 375, &VEQ::bRdPlaneSq_Click, "Read planesq.dat"},
        {this, "bWrPlaneSq", "Write", 2040, 1800, 1095, 375, &VEQ::bWrPlaneSq_Click, "Write planesq.dat"},
        {this, "bAddPlaneSq", "Add", 2040, 3360, 1095, 375, &VEQ::bAddPlaneSq_Click, "Add entries to the PlaneSQ list"},
        {this, "bDelPlaneSq", "Delete", 2040, 4320, 1095, 375, &VEQ::bDelPlaneSq_Click,
         "Delete selected PlaneSQ entries"},
        {framePlaneSq, "bCopyPlaneSq", "Copy", 1920, 4680, 1095, 375, &VEQ::bCopyPlaneSq_Click,
         "Copy entries of one aircraft into the PlaneSQ list"},
        {this, "bRdFilelist", "Read", 5520, 1080, 1095, 375, &VEQ::bRdFilelist_Click, "Read filelist.dat"},
        {this, "bWrFilelist", "Write", 5520, 1800, 1095, 375, &VEQ::bWrFilelist_Click, "Write filelist.dat"},
        {this, "bAddFileList", "Add", 5520, 3480, 1095, 375, &VEQ::bAddFileList_Click,
         "Add entries to the FileList list"},
        {this, "bDelFileList", "Delete", 5520, 4440, 1095, 375, &VEQ::bDelFileList_Click,
         "Delete selected FileList entries"},
        {frameFielList, "bCopyFileList", "Copy", 1920, 4680, 1095, 375, &VEQ::bCopyFileList_Click,
         "Copy entries of one aircraft into the FileList list"},
        {this, "bRdExcept", "Read", 11040, 960, 975, 375, &VEQ::bRdExcept_Click, "Read except.dat"},
        {this, "bWrExcept", "Write", 11040, 1680, 975, 375, &VEQ::bWrExcept_Click, "Write except.dat"},
        {this, "bAddExcept", "Add", 11040, 3600, 975, 375, &VEQ::bAddExcept_Click, "Add entries to the Except list"},
        {this, "bDelExcept", "Delete", 11040, 4560, 975, 375, &VEQ::bDelExcept_Click, "Delete selected Except entries"},
        {frameExcept, "bCopyExcept", "Copy", 4080, 4920, 975, 375, &VEQ::bCopyExcept_Click,
         "Copy entries of one aircraft into the Except list"},
    };
    for (const Button& b : buttons) {
        QPushButton* pushed = button(b.parent, b.name, b.caption, b.left, b.top, b.width, b.height);
        pushed->setAccessibleName(QString::fromLatin1(b.spoken));
        connect(pushed, &QPushButton::clicked, this, b.click);
    }
    connect(&mainList(ListId::FileList).view(), &EntryListView::deleteKeyPressed, this, &VEQ::bDelFileList_Click);
    connect(&mainList(ListId::Except).view(), &EntryListView::deleteKeyPressed, this, &VEQ::bDelExcept_Click);
    connect(&mainList(ListId::PlaneSq).view(), &EntryListView::deleteKeyPressed, this, &VEQ::bDelPlaneSq_Click);

    // Frames and labels take no focus.
    chainTabOrder(this, {"lFileList",    "lExcept",      "bRdFilelist", "bWrFilelist", "bRdExcept",    "bWrExcept",
                         "bAddFileList", "bDelFileList", "bAddExcept",  "bDelExcept",  "bExit",        "lPlaneSq",
                         "bRdPlaneSq",   "bWrPlaneSq",   "bAddPlaneSq", "bDelPlaneSq", "bCopyPlaneSq", "bCopyFileList",
                         "bCopyExcept",  "bAuoGen",      "bMissing",    "bExtra"});
    // The keyboard starts on the first list, the first control of the tab order.
    mainList(ListId::FileList).view().setFocus(Qt::OtherFocusReason);
}

void VEQ::AddListItems(veq::Entries items, ListId listId) { addItems(listId, std::move(items), "Add"); }

// ---- Changes of the lists ----

void VEQ::showChanged(ListId listId, const std::vector<int>& rows)
{
    MainList& list = mainList(listId);
    list.showCount(m_work.document(listId));
    list.select(rows);
}

void VEQ::addItems(ListId listId, veq::Entries items, const char* action)
{
    // What was handed over is selected afterwards, new or held already.
    const std::vector<std::size_t> rows = m_work.add(listId, std::move(items), action);
    showChanged(listId, std::vector<int>(rows.begin(), rows.end()));
}

void VEQ::paste(ListId listId)
{
    auto pasted = m_work.paste(listId, QGuiApplication::clipboard()->text().toStdString());
    if (!pasted) {
        m_messages.tell(fromCore(pasted.reason()));
        return;
    }
    showChanged(listId, std::vector<int>(pasted->begin(), pasted->end()));
}

void VEQ::undo()
{
    if (const auto flipped = m_work.undo())
        showChanged(flipped->list, std::vector<int>(flipped->rowsIn.begin(), flipped->rowsIn.end()));
}

void VEQ::redo()
{
    if (const auto flipped = m_work.redo())
        showChanged(flipped->list, std::vector<int>(flipped->rowsIn.begin(), flipped->rowsIn.end()));
}

// ---- The lists' editing keys and context menu ----

std::vector<VEQ::ListCommand> VEQ::listCommands(MainList& list)
{
    const EntryListView& view = list.view();
    const bool selected = view.selectionModel()->hasSelection();
    // Text that is all blanks pastes nothing: Paste is for text that may hold entries.
    const bool textToPaste = !QGuiApplication::clipboard()->text().trimmed().isEmpty();
    const std::string undoStep = m_work.undoName();
    const std::string redoStep = m_work.redoName();
    const ListId id = list.id();
    return {
        {stepCaption("Undo", undoStep), QKeySequence::Undo, !undoStep.empty(), [this] { undo(); }},
        {stepCaption("Redo", redoStep), QKeySequence::Redo, !redoStep.empty(), [this] { redo(); }},
        {QStringLiteral("Copy"), QKeySequence::Copy, selected, [&list] { list.copy(); }},
        {QStringLiteral("Paste"), QKeySequence::Paste, textToPaste, [this, id] { paste(id); }},
        {QStringLiteral("Delete"), QKeySequence::Delete, selected, [this, &list] { deleteSelected(list.id()); }},
        {QStringLiteral("Select All"), QKeySequence::SelectAll, list.model().count() > 0,
         [&list] { list.view().selectAll(); }},
    };
}

void VEQ::buildListKeys()
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const auto& list : m_lists)
            if (now == &list->view())
                m_keyList = list->id();
    });
    // The Delete key is the list's own: it presses the list's Delete button.
    const std::vector<ListCommand> commands = listCommands(mainList(m_keyList));
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].key == QKeySequence::Delete)
            continue;
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keysOf(commands[i].key));
        connect(shortcut, &QShortcut::activated, this, [this, i] {
            const ListCommand command = listCommands(mainList(m_keyList))[i];
            if (command.enabled)
                command.run();
        });
    }
}

void VEQ::showListMenu(ListId listId, const QPoint& globalPos)
{
    // The Menu key may come both as a key and as a menu event: one menu is enough.
    if (m_listMenu && m_listMenu->isVisible())
        return;
    delete m_listMenu; // the last one, closed
    // As a right-click does, the menu gives its list the keyboard: the keys act on it afterwards.
    mainList(listId).view().setFocus(Qt::PopupFocusReason);
    m_keyList = listId;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("listMenu"));
    menu->setAccessibleName(QStringLiteral("%1 list").arg(listCaption(listId)));
    for (ListCommand& command : listCommands(mainList(listId))) {
        if (command.key == QKeySequence::Copy || command.key == QKeySequence::SelectAll)
            menu->addSeparator();
        QAction* action = menu->addAction(command.caption);
        action->setShortcuts(keysOf(command.key));
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(command.enabled);
        connect(action, &QAction::triggered, this, std::move(command.run));
    }
    m_listMenu = menu;
    menu->popup(globalPos);
}

// ---- Reading and writing the data files ----

void VEQ::bRdFilelist_Click() { readDataFile(ListId::FileList); }
void VEQ::bWrFilelist_Click() { writeDataFile(ListId::FileList); }
void VEQ::bRdExcept_Click() { readDataFile(ListId::Except); }
void VEQ::bWrExcept_Click() { writeDataFile(ListId::Except); }
void VEQ::bRdPlaneSq_Click() { readDataFile(ListId::PlaneSq); }
void VEQ::bWrPlaneSq_Click() { writeDataFile(ListId::PlaneSq); }

fPleaseWait& VEQ::pleaseWait()
{
    if (!m_pleaseWait)
        m_pleaseWait = std::make_unique<fPleaseWait>();
    return *m_pleaseWait;
}

void VEQ::readDataFile(ListId listId)
{
    const QString fileName = m_fileDialogs.openFileName(this, {suggestedName(listId), simulationDataDirectory()});
    if (fileName.isEmpty()) {
        m_messages.tell(fromCore(veq::sentences::kFileNotSelected));
        return;
    }
    readFileInto(listId, fileName);
}

void VEQ::readFileInto(ListId listId, const QString& fileName)
{
    hide();
    pleaseWait().showPainted();

    // The whole file is checked before the list is touched: a refused read changes nothing.
    const auto read = m_work.read(listId, toFsPath(fileName));
    showChanged(listId);

    show();
    pleaseWait().hide();
    if (const std::string& said = read ? *read : read.reason(); !said.empty())
        m_messages.tell(fromCore(said));
}

void VEQ::openFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (const auto kind = veq::kindFromFileName(toFsPath(path)))
            readFileInto(*kind, path);
        else
            m_messages.tell(fromCore(veq::sentences::nameSaysNoList(toFsPath(path))));
    }
}

void VEQ::filesDropped(ListId listId, const QStringList& paths)
{
    // One file reads into the list it was dropped on, whatever its name, as
    // "Read" would; several can only be told apart by their names.
    if (paths.size() == 1)
        readFileInto(listId, paths.front());
    else
        openFiles(paths);
}

void VEQ::tellLoadFirst(ListId listId)
{
    m_messages.tell(fromCore(veq::sentences::loadFirst(listId)));
}

void VEQ::writeDataFile(ListId listId)
{
    MainList& list = mainList(listId);
    const FileRequest request{suggestedName(listId), simulationDataDirectory()};
    // The plane-squadron writer asks for the file before it looks at its list.
    const bool askFirst = listId == ListId::PlaneSq;
    const QString fileName = askFirst ? m_fileDialogs.saveFileName(this, request) : QString();
    if (list.model().count() == 0) {
        tellLoadFirst(listId);
        return;
    }
    const QString target = askFirst ? fileName : m_fileDialogs.saveFileName(this, request);
    if (target.isEmpty()) {
        m_messages.tell(fromCore(veq::sentences::kNoOutputFile));
        return;
    }
    const auto saved = m_work.write(listId, toFsPath(target), turnWait(toFsPath(target)));
    pleaseWait().hide();
    if (const std::string& said = saved ? saved->notice : saved.reason(); !said.empty())
        m_messages.tell(fromCore(said));
}

veq::TurnWait VEQ::turnWait(const std::filesystem::path& target)
{
    // The please-wait window says why nothing happens, and the windows
    // repaint; what the user does meanwhile waits for the save to end.
    veq::TurnWait wait;
    wait.waiting = [this, folder = target.parent_path(), shown = false]() mutable {
        if (!shown)
            pleaseWait().showWaiting(fromCore(veq::sentences::waitingForFolder(folder)));
        shown = true;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    return wait;
}

// ---- Deletion ----

void VEQ::bDelFileList_Click() { deleteSelected(ListId::FileList); }
void VEQ::bDelExcept_Click() { deleteSelected(ListId::Except); }
void VEQ::bDelPlaneSq_Click() { deleteSelected(ListId::PlaneSq); }

void VEQ::deleteSelected(ListId listId)
{
    removeSelectedEntries(mainList(listId).view(), kDeleteLimit, nullptr, m_messages,
                          [this, listId](std::vector<std::size_t> positions) {
                              m_work.remove(listId, std::move(positions));
                          });
    showChanged(listId);
}

// ---- Launchers ----

template <typename Window, typename... Args>
Window& VEQ::toolWindow(std::unique_ptr<Window>& slot, const char* action, Args&... args)
{
    if (!slot) {
        slot = std::make_unique<Window>(args...);
        connect(slot.get(), &ToolWindow::finished, this,
                [this, action](const veq::Entries& items, ListId listId) { addItems(listId, items, action); });
        connect(slot.get(), &ToolWindow::closed, this, &QWidget::show);
    }
    return *slot;
}

void VEQ::openAddDialog(ListId listId)
{
    fFileListAdd& dialog = toolWindow(m_add, "Add", m_messages);
    dialog.Who(listId);
    dialog.show();
    hide();
}

void VEQ::openCopyDialog(ListId listId)
{
    fCopy& dialog = toolWindow(m_copy, "Copy", m_messages, m_fileDialogs);
    dialog.Who(listId);
    dialog.show();
    hide();
}

void VEQ::bAddFileList_Click() { openAddDialog(ListId::FileList); }
void VEQ::bAddExcept_Click() { openAddDialog(ListId::Except); }
void VEQ::bAddPlaneSq_Click() { openAddDialog(ListId::PlaneSq); }
void VEQ::bCopyFileList_Click() { openCopyDialog(ListId::FileList); }
void VEQ::bCopyExcept_Click() { openCopyDialog(ListId::Except); }
void VEQ::bCopyPlaneSq_Click() { openCopyDialog(ListId::PlaneSq); }

void VEQ::bAuoGen_Click()
{
    hide();
    toolWindow(m_autoGen, "AutoGen", m_messages, m_fileDialogs).show();
}

void VEQ::bMissing_Click()
{
    for (ListId needed : {ListId::FileList, ListId::Except}) {
        if (mainList(needed).model().count() == 0) {
            tellLoadFirst(needed);
            return;
        }
    }
    hide();
    Missing& window = toolWindow(m_missing, "Missing", m_messages);
    window.setMainLists(m_work.document(ListId::FileList).list().items(),
                        m_work.document(ListId::Except).list().items());
    window.show();
}

void VEQ::bExtra_Click()
{
    hide();
    fExtra& window = toolWindow(m_extra, "Extra", m_messages);
    window.setFileList(m_work.document(ListId::FileList).list().items());
    window.show();
}

void VEQ::bExit_Click()
{
    // Ends the program at once: nothing is saved and nothing is asked.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void VEQ::closeEvent(QCloseEvent* event)
{
    event->accept();
    bExit_Click();
}
