#include "editor/veq_window.h"

#include "audits/extra_window.h"
#include "audits/missing_window.h"
#include "autogen/autogen_window.h"
#include "core/file_io.h"
#include "dialogs/add_dialog.h"
#include "dialogs/copy_dialog.h"
#include "dialogs/form_message.h"
#include "dialogs/please_wait.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"
#include "ui/layout.h"
#include "ui/removal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kDeleteLimit = 1000;

QString fromCore(const std::string& text) { return QString::fromStdString(text); }

} // namespace

VEQ::VEQ(FileDialogs& fileDialogs, QWidget* parent)
    : QWidget(parent), m_fileDialogs(fileDialogs), m_message(std::make_unique<FormMessage>()),
      m_pleaseWait(std::make_unique<fPleaseWait>())
{
    setObjectName(QStringLiteral("VEQ"));
    setWindowTitle(QStringLiteral("VEQ Editor"));
    sizeClientTwips(this, 12330, 9555);
    m_lists[0].kind = veq::RecordKind::FileList;
    m_lists[1].kind = veq::RecordKind::Except;
    m_lists[2].kind = veq::RecordKind::PlaneSq;
    buildControls();
    Form_Load();
}

VEQ::~VEQ() = default;

void VEQ::buildControls()
{
    auto frame = [this](const char* name, const char* caption, int l, int t, int w, int h) {
        auto* box = new QGroupBox(QString::fromLatin1(caption), this);
        box->setObjectName(QString::fromLatin1(name));
        placeTwips(box, l, t, w, h);
        return box;
    };
    const QFont entryFont = listFont(9.75);
    auto list = [&](const char* name, MainList& main, int l, int t, int w, int h) {
        main.model = new EntryListModel(false, this);
        main.view = new EntryListView(QString::fromLatin1(name), main.model, QAbstractItemView::ExtendedSelection,
                                      entryFont, this);
        placeTwips(main.view, l, t, w, h);
        return main.view;
    };

    // Frames first, so that the window's own lists and buttons are drawn over them.
    QGroupBox* framePlaneSq = frame("framePlaneSq", "PlaneSQ", 120, 720, 3255, 8775);
    QGroupBox* frameFielList = frame("frameFielList", "FileList", 3600, 720, 3135, 8775);
    QGroupBox* frameExcept = frame("frameExcept", "Except", 6960, 600, 5175, 8895);

    QPushButton* bAuoGen = button(this, "bAuoGen", "AutoGen", 240, 120, 1695, 375);
    QPushButton* bMissing = button(this, "bMissing", "Missing", 2280, 120, 1695, 375);
    QPushButton* bExtra = button(this, "bExtra", "Extra", 4320, 120, 1695, 375);
    QPushButton* bExit = button(this, "bExit", "Exit", 10320, 120, 1215, 375);

    EntryListView* lPlaneSq = list("lPlaneSq", m_lists[2], 240, 960, 1695, 8220);
    QPushButton* bRdPlaneSq = button(this, "bRdPlaneSq", "Read", 2040, 1080, 1095, 375);
    QPushButton* bWrPlaneSq = button(this, "bWrPlaneSq", "Write", 2040, 1800, 1095, 375);
    QPushButton* bAddPlaneSq = button(this, "bAddPlaneSq", "Add", 2040, 3360, 1095, 375);
    QPushButton* bDelPlaneSq = button(this, "bDelPlaneSq", "Delete", 2040, 4320, 1095, 375);
    QPushButton* bCopyPlaneSq = button(framePlaneSq, "bCopyPlaneSq", "Copy", 1920, 4680, 1095, 375);
    m_lists[2].countLabel = label(framePlaneSq, "labCountPlaneSq", "", 2040, 7800, 1095, 375);

    EntryListView* lFileList = list("lFileList", m_lists[0], 3720, 960, 1695, 8460);
    QPushButton* bRdFilelist = button(this, "bRdFilelist", "Read", 5520, 1080, 1095, 375);
    QPushButton* bWrFilelist = button(this, "bWrFilelist", "Write", 5520, 1800, 1095, 375);
    QPushButton* bAddFileList = button(this, "bAddFileList", "Add", 5520, 3480, 1095, 375);
    QPushButton* bDelFileList = button(this, "bDelFileList", "Delete", 5520, 4440, 1095, 375);
    QPushButton* bCopyFileList = button(frameFielList, "bCopyFileList", "Copy", 1920, 4680, 1095, 375);
    m_lists[0].countLabel = label(frameFielList, "labCountFileList", "", 2040, 7800, 975, 375);

    EntryListView* lExcept = list("lExcept", m_lists[1], 7080, 960, 3855, 8460);
    QPushButton* bRdExcept = button(this, "bRdExcept", "Read", 11040, 960, 975, 375);
    QPushButton* bWrExcept = button(this, "bWrExcept", "Write", 11040, 1680, 975, 375);
    QPushButton* bAddExcept = button(this, "bAddExcept", "Add", 11040, 3600, 975, 375);
    QPushButton* bDelExcept = button(this, "bDelExcept", "Delete", 11040, 4560, 975, 375);
    QPushButton* bCopyExcept = button(frameExcept, "bCopyExcept", "Copy", 4080, 4920, 975, 375);
    m_lists[1].countLabel = label(frameExcept, "labCountExcept", "", 4080, 7920, 975, 375);

    // The keyboard visits the controls in the designed order; frames and labels take no focus.
    const std::vector<QWidget*> tabOrder{
        lFileList,    lExcept,       bRdFilelist, bWrFilelist, bRdExcept,  bWrExcept,  bAddFileList, bDelFileList,
        bAddExcept,   bDelExcept,    bExit,       lPlaneSq,    bRdPlaneSq, bWrPlaneSq, bAddPlaneSq,  bDelPlaneSq,
        bCopyPlaneSq, bCopyFileList, bCopyExcept, bAuoGen,     bMissing,   bExtra};
    chainTabOrder(tabOrder);

    connect(bRdFilelist, &QPushButton::clicked, this, &VEQ::bRdFilelist_Click);
    connect(bWrFilelist, &QPushButton::clicked, this, &VEQ::bWrFilelist_Click);
    connect(bRdExcept, &QPushButton::clicked, this, &VEQ::bRdExcept_Click);
    connect(bWrExcept, &QPushButton::clicked, this, &VEQ::bWrExcept_Click);
    connect(bRdPlaneSq, &QPushButton::clicked, this, &VEQ::bRdPlaneSq_Click);
    connect(bWrPlaneSq, &QPushButton::clicked, this, &VEQ::bWrPlaneSq_Click);
    connect(bDelFileList, &QPushButton::clicked, this, &VEQ::bDelFileList_Click);
    connect(bDelExcept, &QPushButton::clicked, this, &VEQ::bDelExcept_Click);
    connect(bDelPlaneSq, &QPushButton::clicked, this, &VEQ::bDelPlaneSq_Click);
    connect(lFileList, &EntryListView::deleteKeyPressed, this, &VEQ::bDelFileList_Click);
    connect(lExcept, &EntryListView::deleteKeyPressed, this, &VEQ::bDelExcept_Click);
    connect(lPlaneSq, &EntryListView::deleteKeyPressed, this, &VEQ::bDelPlaneSq_Click);
    connect(bAddFileList, &QPushButton::clicked, this, &VEQ::bAddFileList_Click);
    connect(bAddExcept, &QPushButton::clicked, this, &VEQ::bAddExcept_Click);
    connect(bAddPlaneSq, &QPushButton::clicked, this, &VEQ::bAddPlaneSq_Click);
    connect(bCopyFileList, &QPushButton::clicked, this, &VEQ::bCopyFileList_Click);
    connect(bCopyExcept, &QPushButton::clicked, this, &VEQ::bCopyExcept_Click);
    connect(bCopyPlaneSq, &QPushButton::clicked, this, &VEQ::bCopyPlaneSq_Click);
    connect(bAuoGen, &QPushButton::clicked, this, &VEQ::bAuoGen_Click);
    connect(bMissing, &QPushButton::clicked, this, &VEQ::bMissing_Click);
    connect(bExtra, &QPushButton::clicked, this, &VEQ::bExtra_Click);
    connect(bExit, &QPushButton::clicked, this, &VEQ::bExit_Click);
}

void VEQ::Form_Load()
{
    m_initialDirectory = mapWindowsPath(QStringLiteral("C:\\SIERRA\\RedBaron3D\\Data\\Simpatch"));
    const auto& table = veq::partPrefixTable();
    std::copy(table.begin(), table.end(), PartPrefix.begin());
}

VEQ::MainList& VEQ::mainList(int ListId) { return m_lists[static_cast<std::size_t>(ListId - 1)]; }

const veq::Entries& VEQ::entries(int ListId) const
{
    return m_lists[static_cast<std::size_t>(ListId - 1)].model->entries();
}

const veq::DataFileHeaders& VEQ::headers(int ListId) const
{
    return m_lists[static_cast<std::size_t>(ListId - 1)].headers;
}

void VEQ::AddListItem(const veq::Entry& item, int ListId)
{
    if (!veq::isListId(ListId))
        return;
    MainList& list = mainList(ListId);
    list.model->add(item);
    showCount(list.countLabel, list.model->count());
}

void VEQ::AddListItems(veq::Entries items, int ListId)
{
    // Adding nothing is no call of AddListItem at all, so the label stays as it is.
    if (!veq::isListId(ListId) || items.empty())
        return;
    MainList& list = mainList(ListId);
    list.model->addMany(std::move(items));
    showCount(list.countLabel, list.model->count());
}

// ---- Reading and writing the data files ----

void VEQ::bRdFilelist_Click() { readDataFile(veq::FileListId); }
void VEQ::bWrFilelist_Click() { writeDataFile(veq::FileListId); }
void VEQ::bRdExcept_Click() { readDataFile(veq::ExceptListId); }
void VEQ::bWrExcept_Click() { writeDataFile(veq::ExceptListId); }
void VEQ::bRdPlaneSq_Click() { readDataFile(veq::PlaneSqListId); }
void VEQ::bWrPlaneSq_Click() { writeDataFile(veq::PlaneSqListId); }

void VEQ::readDataFile(int ListId)
{
    MainList& list = mainList(ListId);
    DataFileName = m_fileDialogs.openFileName(
        this, {QString::fromLatin1(veq::dataFileName(list.kind)), simulationDataDirectory()});
    if (DataFileName.isEmpty()) {
        m_message->tell(QStringLiteral("File not Selected"));
        return;
    }

    hide();
    m_pleaseWait->showPainted();

    // The whole file is checked before the list is touched: a refused read changes nothing.
    auto file = veq::loadDataFile(toFsPath(DataFileName), list.kind, ConvBuf);
    if (file) {
        list.headers = file->headers;
        RecordCount = file->recordCount;
        EntryText = std::move(file->entries);
        list.model->assign(EntryText);
        showCount(list.countLabel, list.model->count());
    }

    show();
    m_pleaseWait->hide();
    if (!file)
        m_message->tell(fromCore(file.reason()));
}

QString VEQ::loadFirstMessage(const MainList& list) const
{
    return QStringLiteral("Please load %1 before doing this").arg(QString::fromLatin1(veq::dataFileName(list.kind)));
}

void VEQ::writeDataFile(int ListId)
{
    MainList& list = mainList(ListId);
    const FileRequest request{QString::fromLatin1(veq::dataFileName(list.kind)), simulationDataDirectory()};

    // The plane-squadron writer asks for the file before it looks at its list.
    if (list.kind == veq::RecordKind::PlaneSq) {
        DataFileName = m_fileDialogs.saveFileName(this, request);
        if (list.model->count() == 0) {
            m_message->tell(loadFirstMessage(list));
            return;
        }
    } else {
        if (list.model->count() == 0) {
            m_message->tell(loadFirstMessage(list));
            return;
        }
        DataFileName = m_fileDialogs.saveFileName(this, request);
    }
    if (DataFileName.isEmpty()) {
        m_message->tell(QStringLiteral("File not saved: No Output file selected"));
        return;
    }
    saveDataFile(list);
}

bool VEQ::saveDataFile(MainList& list)
{
    auto image = veq::buildDataFile(list.kind, list.headers, list.model->entries(), ConvBuf);
    if (!image) {
        m_message->tell(QStringLiteral("File not saved: %1. Nothing was written.").arg(fromCore(image.reason())));
        return false;
    }
    RecordCount = static_cast<std::int16_t>(list.model->count());
    if (auto failure = veq::replaceFile(toFsPath(DataFileName), *image)) {
        m_message->tell(fromCore(*failure));
        return false;
    }
    return true;
}

// ---- Deletion ----

void VEQ::bDelFileList_Click() { deleteSelected(veq::FileListId); }
void VEQ::bDelExcept_Click() { deleteSelected(veq::ExceptListId); }
void VEQ::bDelPlaneSq_Click() { deleteSelected(veq::PlaneSqListId); }

void VEQ::deleteSelected(int ListId)
{
    MainList& list = mainList(ListId);
    removeSelectedEntries(*list.view, kDeleteLimit, list.countLabel, *m_message);
}

// ---- Launchers ----

void VEQ::connectTool(ToolWindow* tool)
{
    connect(tool, &ToolWindow::finished, this, &VEQ::AddListItems);
    connect(tool, &ToolWindow::closed, this, &QWidget::show);
}

fFileListAdd& VEQ::addWindow()
{
    if (!m_add) {
        m_add = std::make_unique<fFileListAdd>(*m_message);
        connectTool(m_add.get());
    }
    return *m_add;
}

fCopy& VEQ::copyWindow()
{
    if (!m_copy) {
        m_copy = std::make_unique<fCopy>(*m_message, m_fileDialogs);
        connectTool(m_copy.get());
    }
    return *m_copy;
}

Missing& VEQ::missingWindow()
{
    if (!m_missing) {
        m_missing = std::make_unique<Missing>();
        connectTool(m_missing.get());
    }
    return *m_missing;
}

fExtra& VEQ::extraWindow()
{
    if (!m_extra) {
        m_extra = std::make_unique<fExtra>(*m_message);
        connectTool(m_extra.get());
    }
    return *m_extra;
}

fAutoGen& VEQ::autoGenWindow()
{
    if (!m_autoGen) {
        m_autoGen = std::make_unique<fAutoGen>(*m_message, m_fileDialogs);
        connectTool(m_autoGen.get());
    }
    return *m_autoGen;
}

void VEQ::openAddDialog(int ListId)
{
    fFileListAdd& dialog = addWindow();
    dialog.Who(ListId);
    dialog.show();
    hide();
}

void VEQ::openCopyDialog(int ListId)
{
    fCopy& dialog = copyWindow();
    dialog.Who(ListId);
    dialog.show();
    hide();
}

void VEQ::bAddFileList_Click() { openAddDialog(veq::FileListId); }
void VEQ::bAddExcept_Click() { openAddDialog(veq::ExceptListId); }
void VEQ::bAddPlaneSq_Click() { openAddDialog(veq::PlaneSqListId); }
void VEQ::bCopyFileList_Click() { openCopyDialog(veq::FileListId); }
void VEQ::bCopyExcept_Click() { openCopyDialog(veq::ExceptListId); }
void VEQ::bCopyPlaneSq_Click() { openCopyDialog(veq::PlaneSqListId); }

void VEQ::bAuoGen_Click()
{
    hide();
    autoGenWindow().show();
}

void VEQ::bMissing_Click()
{
    if (mainList(veq::FileListId).model->count() == 0) {
        m_message->tell(loadFirstMessage(mainList(veq::FileListId)));
        return;
    }
    if (mainList(veq::ExceptListId).model->count() == 0) {
        m_message->tell(loadFirstMessage(mainList(veq::ExceptListId)));
        return;
    }
    hide();
    Missing& window = missingWindow();
    window.setMainLists(entries(veq::FileListId), entries(veq::ExceptListId));
    window.show();
}

void VEQ::bExtra_Click()
{
    hide();
    fExtra& window = extraWindow();
    window.setFileList(entries(veq::FileListId));
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
