#include "editor/veq_window.h"

#include "audits/extra_window.h"
#include "audits/missing_window.h"
#include "autogen/autogen_window.h"
#include "core/file_io.h"
#include "dialogs/add_dialog.h"
#include "dialogs/copy_dialog.h"
#include "dialogs/please_wait.h"
#include "ui/accessibility.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"
#include "ui/layout.h"
#include "ui/list_names.h"
#include "ui/removal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using veq::ListId;

namespace {

QString fromCore(const std::string& text) { return QString::fromStdString(text); }

QString suggestedName(ListId listId) { return QString::fromLatin1(veq::dataFileName(listId)); }

} // namespace

VEQ::VEQ(FileDialogs& fileDialogs, QWidget* parent) : QWidget(parent), m_fileDialogs(fileDialogs)
{
    // Screen readers learn the roles of the program's windows from here on, this one first.
    installAccessibleRoles();
    setObjectName(QStringLiteral("VEQ"));
    setWindowTitle(QStringLiteral("VEQ Editor"));
    sizeClientTwips(this, 12330, 9555);
    for (ListId id : veq::kAllLists)
        mainList(id).id = id;
    buildControls();
}

VEQ::~VEQ() = default;

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
    auto list = [&](ListId id, const char* name, int l, int t, int w, int h) {
        MainList& main = mainList(id);
        main.model = new EntryListModel(false, this);
        main.view = new EntryListView(QString::fromLatin1(name), main.model, QAbstractItemView::ExtendedSelection,
                                      entryFont, this);
        placeTwips(main.view, l, t, w, h);
        nameControl(main.view, listCaption(id), QStringLiteral("Entries of %1").arg(suggestedName(id)));
        main.view->acceptFileDrops();
        // Queued, so the read runs after the drop has ended.
        connect(
            main.view, &EntryListView::filesDropped, this,
            [this, id](const QStringList& paths) { filesDropped(id, paths); }, Qt::QueuedConnection);
    };
    list(ListId::PlaneSq, "lPlaneSq", 240, 960, 1695, 8220);
    list(ListId::FileList, "lFileList", 3720, 960, 1695, 8460);
    list(ListId::Except, "lExcept", 7080, 960, 3855, 8460);
    mainList(ListId::PlaneSq).countLabel = label(framePlaneSq, "labCountPlaneSq", "", 2040, 7800, 1095, 375);
    mainList(ListId::FileList).countLabel = label(frameFielList, "labCountFileList", "", 2040, 7800, 975, 375);
    mainList(ListId::Except).countLabel = label(frameExcept, "labCountExcept", "", 4080, 7920, 975, 375);
    for (ListId id : veq::kAllLists)
        nameCountLabel(mainList(id).countLabel, listCaption(id));

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
    connect(mainList(ListId::FileList).view, &EntryListView::deleteKeyPressed, this, &VEQ::bDelFileList_Click);
    connect(mainList(ListId::Except).view, &EntryListView::deleteKeyPressed, this, &VEQ::bDelExcept_Click);
    connect(mainList(ListId::PlaneSq).view, &EntryListView::deleteKeyPressed, this, &VEQ::bDelPlaneSq_Click);

    // Frames and labels take no focus.
    chainTabOrder(this, {"lFileList",    "lExcept",      "bRdFilelist", "bWrFilelist", "bRdExcept",    "bWrExcept",
                         "bAddFileList", "bDelFileList", "bAddExcept",  "bDelExcept",  "bExit",        "lPlaneSq",
                         "bRdPlaneSq",   "bWrPlaneSq",   "bAddPlaneSq", "bDelPlaneSq", "bCopyPlaneSq", "bCopyFileList",
                         "bCopyExcept",  "bAuoGen",      "bMissing",    "bExtra"});
    // The keyboard starts on the first list, the first control of the tab order.
    mainList(ListId::FileList).view->setFocus(Qt::OtherFocusReason);
}

void VEQ::AddListItems(veq::Entries items, ListId listId)
{
    // Adding nothing leaves the label as it is, blank before the first read.
    if (items.empty())
        return;
    MainList& list = mainList(listId);
    list.model->addMany(std::move(items));
    showCount(list.countLabel, list.model->count());
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
        m_messages.tell(QStringLiteral("File not Selected"));
        return;
    }
    readFileInto(listId, fileName);
}

void VEQ::readFileInto(ListId listId, const QString& fileName)
{
    hide();
    pleaseWait().showPainted();

    // The whole file is checked before the list is touched: a refused read changes nothing.
    MainList& list = mainList(listId);
    auto file = veq::loadDataFile(toFsPath(fileName), listId, ConvBuf);
    if (file) {
        list.headers = file->headers;
        list.stamp = file->stamp;
        list.model->assign(std::move(file->entries));
        showCount(list.countLabel, list.model->count());
    }

    show();
    pleaseWait().hide();
    if (!file)
        m_messages.tell(fromCore(file.reason()));
}

void VEQ::openFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (const auto kind = veq::kindFromFileName(toFsPath(path)))
            readFileInto(*kind, path);
        else
            m_messages.tell(QStringLiteral("Could not read %1: its name says no list (filelist.dat, except.dat or "
                                           "planesq.dat).")
                                .arg(fromCore(veq::displayPath(toFsPath(path)))));
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
    m_messages.tell(QStringLiteral("Please load %1 before doing this").arg(suggestedName(listId)));
}

void VEQ::writeDataFile(ListId listId)
{
    MainList& list = mainList(listId);
    const FileRequest request{suggestedName(listId), simulationDataDirectory()};
    // The plane-squadron writer asks for the file before it looks at its list.
    const bool askFirst = listId == ListId::PlaneSq;
    const QString fileName = askFirst ? m_fileDialogs.saveFileName(this, request) : QString();
    if (list.model->count() == 0) {
        tellLoadFirst(listId);
        return;
    }
    const QString target = askFirst ? fileName : m_fileDialogs.saveFileName(this, request);
    if (target.isEmpty()) {
        m_messages.tell(QStringLiteral("File not saved: No Output file selected"));
        return;
    }

    const veq::FolderTurn turn(toFsPath(target));
    const veq::FileStamp asKnown = list.stamp;
    auto saved = veq::saveDataFile(toFsPath(target), listId, list.headers, list.model->entries(), ConvBuf, &list.stamp);
    QString message = fromCore(saved ? saved->notice : saved.reason());
    // The file changed on disk since it was read: the message window has only
    // OK, so this Write refuses and the next one replaces it.
    if (!saved && list.stamp != asKnown)
        message += QStringLiteral(" Press Write again to replace it with this list.");
    if (!message.isEmpty())
        m_messages.tell(message);
}

// ---- Deletion ----

void VEQ::bDelFileList_Click() { deleteSelected(ListId::FileList); }
void VEQ::bDelExcept_Click() { deleteSelected(ListId::Except); }
void VEQ::bDelPlaneSq_Click() { deleteSelected(ListId::PlaneSq); }

void VEQ::deleteSelected(ListId listId)
{
    MainList& list = mainList(listId);
    removeSelectedEntries(*list.view, kDeleteLimit, list.countLabel, m_messages);
}

// ---- Launchers ----

template <typename Window, typename... Args> Window& VEQ::toolWindow(std::unique_ptr<Window>& slot, Args&... args)
{
    if (!slot) {
        slot = std::make_unique<Window>(args...);
        connect(slot.get(), &ToolWindow::finished, this, &VEQ::AddListItems);
        connect(slot.get(), &ToolWindow::closed, this, &QWidget::show);
    }
    return *slot;
}

void VEQ::openAddDialog(ListId listId)
{
    fFileListAdd& dialog = toolWindow(m_add, m_messages);
    dialog.Who(listId);
    dialog.show();
    hide();
}

void VEQ::openCopyDialog(ListId listId)
{
    fCopy& dialog = toolWindow(m_copy, m_messages, m_fileDialogs);
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
    toolWindow(m_autoGen, m_messages, m_fileDialogs).show();
}

void VEQ::bMissing_Click()
{
    for (ListId needed : {ListId::FileList, ListId::Except}) {
        if (mainList(needed).model->count() == 0) {
            tellLoadFirst(needed);
            return;
        }
    }
    hide();
    Missing& window = toolWindow(m_missing, m_messages);
    window.setMainLists(mainList(ListId::FileList).model->entries(), mainList(ListId::Except).model->entries());
    window.show();
}

void VEQ::bExtra_Click()
{
    hide();
    fExtra& window = toolWindow(m_extra, m_messages);
    window.setFileList(mainList(ListId::FileList).model->entries());
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
