#include "core/data_file.h"
#include "core/file_io.h"
#include "dialogs/copy_dialog.h"
#include "dialogs/form_message.h"
#include "editor/veq_window.h"
#include "tests/dialogs/dialog_support.h"
#include "tests/support/gui_support.h"
#include "ui/data_directory.h"
#include "ui/entry_list_view.h"

#include <QFontInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <numeric>

namespace {

using veq::Bytes;
using veq::Entries;

Entries sorted(Entries items)
{
    std::sort(items.begin(), items.end());
    return items;
}

// A file image made by hand: a count and raw records behind a patterned header.
Bytes image(std::int16_t count, const Bytes& records)
{
    Bytes bytes(veq::kFrameSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0x40 + i);
    bytes[20] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[21] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
    bytes.insert(bytes.end(), records.begin(), records.end());
    return bytes;
}

// One file of each kind, its record count, and the entries of plane 25 in it.
struct KindCase {
    const char* name;
    int id;
    const char* caption;
    Bytes records;
    std::int16_t count;
    Entries of25;
};

std::vector<KindCase> kindCases()
{
    return {
        {"FileList",
         veq::FileListId,
         "Operating on Filelist file",
         {0xCD, 0xAB, 0x25, 0x01,  // 0125ABCD
          0x00, 0x00, 0x01, 0x25,  // 25010000: 25 in the wrong pair
          0x14, 0x07, 0x25, 0x03,  // 03250714
          0x00, 0x00, 0x2A, 0x03}, // 032A0000
         4,
         {"0125ABCD", "03250714"}},
        {"Except",
         veq::ExceptListId,
         "Operating on Except file",
         {0x04, 0x18, 0x25, 0x03, 0x14, 0x08, 0x01, 0x03, // left id of plane 25
          0x04, 0x18, 0x01, 0x03, 0x14, 0x08, 0x25, 0x03, // only the right id is
          0x00, 0x00, 0x25, 0x02, 0x00, 0x00, 0x25, 0x03},
         3,
         {"02250000 ======> 03250000", "03251804 ======> 03010814"}},
        {"PlaneSq",
         veq::PlaneSqListId,
         "Operating on PlaneSQ file",
         {0x31, 0x00, 0x00, 0x00, 0x25, // only ends with 25
          0x25, 0x11, 0x22, 0x33, 0x94, // bytes 1-3 stay out of the text
          0x25, 0x00, 0x00, 0x00, 0x07},
         3,
         {"2500000007", "2500000094"}},
    };
}

class CopyDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<fCopy>(messenger, dialogs);
        window->show();
    }

    QString file(const Bytes& bytes, const char* name)
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        return path;
    }

    void typeId(const QString& id) { planeId()->setText(id); }

    void read(const QString& path)
    {
        dialogs.answer(path);
        click(window.get(), "bCopyAdd");
    }

    // Reads the file-list example for plane 25: two entries.
    void readExample()
    {
        window->Who(veq::FileListId);
        typeId(QStringLiteral("25"));
        read(file(image(4, kindCases()[0].records), "example.dat"));
        ASSERT_EQ(shown(), (Entries{"0125ABCD", "03250714"}));
    }

    QLineEdit* planeId() const { return control<QLineEdit>(window.get(), "tCopyPlaneId"); }
    EntryListView* list() const { return control<EntryListView>(window.get(), "lCopy"); }
    Entries shown() const { return shownItems(window.get(), "lCopy"); }
    QRect box(const char* name) const { return control<QWidget>(window.get(), name)->geometry(); }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    RecordingMessenger messenger;
    std::unique_ptr<fCopy> window;
};

TEST_F(CopyDialog, ControlsHaveTheirCaptionsPlacesAndTabOrder)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Copy From File"));
    EXPECT_EQ(window->objectName(), QStringLiteral("fCopy"));
    EXPECT_EQ(labelText(window.get(), "labFileId"), QStringLiteral("Operating on Filelist file"));
    EXPECT_EQ(labelText(window.get(), "labExample"), QStringLiteral("Enter Plane Hex Id: ie. 25 = SE5a"));
    ASSERT_NE(planeId(), nullptr);
    EXPECT_TRUE(planeId()->text().isEmpty());
    const std::pair<const char*, const char*> buttons[] = {{"bCopyAdd", "Add ----->"},
                                                           {"bCopyRemove", "<-----Remove"},
                                                           {"bCopyFinish", "Finish"},
                                                           {"bCopyCancel", "Cancel"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = control<QPushButton>(window.get(), name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(caption)) << name;
    }

    ASSERT_NE(list(), nullptr);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(QFontInfo(list()->font()).fixedPitch());
    EXPECT_DOUBLE_EQ(list()->font().pointSizeF(), 9.75);

    // "Add" right of the box, "Remove" below "Add", the list right of both,
    // the line above "Finish" (left) and "Cancel" (right), all inside the window.
    const QRect text = box("tCopyPlaneId"), add = box("bCopyAdd"), remove = box("bCopyRemove");
    const QRect lCopy = box("lCopy"), finish = box("bCopyFinish"), cancel = box("bCopyCancel");
    EXPECT_GT(add.left(), text.right());
    EXPECT_EQ(add.top(), text.top());
    EXPECT_GT(remove.top(), add.bottom());
    EXPECT_EQ(remove.left(), add.left());
    EXPECT_GT(lCopy.left(), add.right());
    auto* line = control<QFrame>(window.get(), "Line1");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    EXPECT_GT(line->geometry().top(), lCopy.bottom());
    EXPECT_LT(line->geometry().bottom(), finish.top());
    EXPECT_EQ(finish.top(), cancel.top());
    EXPECT_LT(finish.right(), cancel.left());
    EXPECT_EQ(cancel.right(), lCopy.right());
    EXPECT_TRUE(window->rect().contains(cancel));
    EXPECT_TRUE(window->rect().contains(lCopy));
    // A whole exception pair fits the list's width.
    EXPECT_GT(lCopy.width(), QFontMetrics(list()->font()).horizontalAdvance(QString(25, QLatin1Char('W'))));

    expectTabOrder(window.get(), {"tCopyPlaneId", "bCopyAdd", "bCopyRemove", "lCopy", "bCopyFinish", "bCopyCancel"});
}

struct WhoCase {
    int id;
    const char* caption;
};

class CopyDialogWho : public CopyDialog, public ::testing::WithParamInterface<WhoCase> {};

TEST_P(CopyDialogWho, SetsTheCaptionEmptiesTheListAndKeepsTheTypedId)
{
    window->Who(veq::ExceptListId);
    readExample();
    window->Who(GetParam().id);
    EXPECT_EQ(labelText(window.get(), "labFileId"), QString::fromLatin1(GetParam().caption));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(planeId()->text(), QStringLiteral("25"));
    EXPECT_EQ(labelText(window.get(), "labExample"), QStringLiteral("Enter Plane Hex Id: ie. 25 = SE5a"));
}

// readExample() works on the file list, so other ids keep its caption.
INSTANTIATE_TEST_SUITE_P(
    CaptionTable, CopyDialogWho,
    ::testing::Values(WhoCase{1, "Operating on Filelist file"}, WhoCase{2, "Operating on Except file"},
                      WhoCase{3, "Operating on PlaneSQ file"}, WhoCase{0, "Operating on Filelist file"},
                      WhoCase{-1, "Operating on Filelist file"}, WhoCase{4, "Operating on Filelist file"}));

class CopyDialogKinds : public CopyDialog, public ::testing::WithParamInterface<KindCase> {};

TEST_P(CopyDialogKinds, CollectsThePlaneIdFromAnUnpreparedDialogsFileAndListsTwiceWhenReadTwice)
{
    const KindCase& c = GetParam();
    window->Who(c.id);
    EXPECT_EQ(labelText(window.get(), "labFileId"), QString::fromLatin1(c.caption));
    QTest::keyClicks(planeId(), QStringLiteral("25"));
    const QString path = file(image(c.count, c.records), "other.dat");
    read(path);
    EXPECT_EQ(shown(), c.of25);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(dialogs.asked[0].save);
    EXPECT_TRUE(dialogs.asked[0].request.suggestedName.isEmpty());
    EXPECT_TRUE(dialogs.asked[0].request.initialDirectory.isEmpty());

    read(path);
    Entries twice = c.of25;
    twice.insert(twice.end(), c.of25.begin(), c.of25.end());
    EXPECT_EQ(shown(), sorted(twice));
    EXPECT_TRUE(messenger.told.isEmpty());
}

TEST_P(CopyDialogKinds, CountOfZeroOrBelowCollectsNothingSilently)
{
    const KindCase& c = GetParam();
    window->Who(c.id);
    typeId(QStringLiteral("25"));
    read(file(image(0, c.records), "zero.dat"));
    read(file(image(-1, c.records), "negative.dat"));
    read(file(image(0, {}), "frame.dat"));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialogs.asked.size(), 3u);
    EXPECT_TRUE(messenger.told.isEmpty());
}

TEST_P(CopyDialogKinds, DamagedFilesAreRefusedByNameAndTheListStays)
{
    const KindCase& c = GetParam();
    window->Who(c.id);
    typeId(QStringLiteral("25"));
    read(file(image(c.count, c.records), "good.dat"));
    const Entries before = shown();
    ASSERT_FALSE(before.empty());

    Bytes cut = image(c.count, c.records);
    cut.pop_back();
    const QString cutPath = file(cut, "cut.dat");
    const QString shortPath = file(Bytes(99, 0x25), "short.dat");
    const QString missingPath = folder.filePath(QStringLiteral("missing.dat"));
    const std::pair<QString, QString> damaged[] = {
        {cutPath, QStringLiteral("claims %1 records but the file holds only %2").arg(c.count).arg(c.count - 1)},
        {shortPath, QStringLiteral("99 bytes")},
        {missingPath, QStringLiteral("does not exist")},
    };
    for (const auto& [path, why] : damaged) {
        messenger.told.clear();
        read(path);
        ASSERT_EQ(messenger.told.size(), 1) << path.toStdString();
        const QString shownPath = QString::fromStdString(veq::displayPath(toFsPath(path)));
        EXPECT_TRUE(messenger.told[0].contains(shownPath)) << messenger.told[0].toStdString();
        EXPECT_TRUE(messenger.told[0].contains(why)) << messenger.told[0].toStdString();
        EXPECT_EQ(shown(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, CopyDialogKinds, ::testing::ValuesIn(kindCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyDialog, TheTypedIdMustMatchExactly)
{
    window->Who(veq::FileListId);
    const QString path = file(image(4, kindCases()[0].records), "filelist.dat");
    for (const char* typed : {"2a", " 2A", "2A ", "", "  ", "2", "032A", "03"}) {
        typeId(QString::fromLatin1(typed));
        read(path);
        EXPECT_TRUE(shown().empty()) << '"' << typed << '"';
    }
    typeId(QStringLiteral("2A"));
    read(path);
    EXPECT_EQ(shown(), Entries{"032A0000"});
    EXPECT_TRUE(messenger.told.isEmpty());
}

TEST_F(CopyDialog, NoFileChosenSaysSoAndKeepsTheList)
{
    readExample();
    const Entries before = shown();
    read(QString());
    EXPECT_EQ(messenger.told, QStringList{QStringLiteral("File not Selected")});
    EXPECT_EQ(shown(), before);
}

TEST_F(CopyDialog, AddWithoutAListIdDoesNothing)
{
    window->Who(9);
    typeId(QStringLiteral("25"));
    dialogs.answer(file(image(4, kindCases()[0].records), "filelist.dat"));
    click(window.get(), "bCopyAdd");
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(messenger.told.isEmpty());
    EXPECT_TRUE(shown().empty());
}

TEST_F(CopyDialog, EnterInThePlaneIdBoxPressesAdd)
{
    window->Who(veq::PlaneSqListId);
    typeId(QStringLiteral("25"));
    dialogs.answer(file(image(3, kindCases()[2].records), "planesq.dat"));
    QTest::keyClick(planeId(), Qt::Key_Return);
    EXPECT_EQ(shown(), (Entries{"2500000007", "2500000094"}));
}

TEST_F(CopyDialog, RemovesUpToAHundredSelectedEntries)
{
    // 101 records of plane 25 and one of another plane.
    Bytes records;
    for (int k = 0; k < 101; ++k)
        records.insert(records.end(), {static_cast<std::uint8_t>(k), 0x00, 0x25, 0x03});
    records.insert(records.end(), {0x00, 0x00, 0x26, 0x03});
    window->Who(veq::FileListId);
    typeId(QStringLiteral("25"));
    read(file(image(102, records), "many.dat"));
    const Entries all = shown();
    ASSERT_EQ(all.size(), 101u);

    std::vector<int> rows(101);
    std::iota(rows.begin(), rows.end(), 0);
    selectRows(list(), rows);
    click(window.get(), "bCopyRemove");
    EXPECT_EQ(messenger.told, QStringList{QStringLiteral("Too Many Items Selected")});
    EXPECT_EQ(shown(), all);

    // Every row but the second: the first and the last go with the rest.
    rows.erase(rows.begin() + 1);
    selectRows(list(), rows);
    click(window.get(), "bCopyRemove");
    EXPECT_EQ(messenger.told.size(), 1);
    EXPECT_EQ(shown(), Entries{all[1]});

    selectRows(list(), {0});
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_TRUE(shown().empty());
}

TEST_F(CopyDialog, FinishHandsEveryEntryToItsListAndLeaves)
{
    readExample();
    read(file(image(4, kindCases()[0].records), "again.dat"));
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    click(window.get(), "bCopyFinish");
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<Entries>(), (Entries{"0125ABCD", "0125ABCD", "03250714", "03250714"}));
    EXPECT_EQ(finished[0][1].toInt(), veq::FileListId);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    // The list stays until the next Who.
    EXPECT_EQ(shown().size(), 4u);
}

TEST_F(CopyDialog, CancelHandsNothingAndKeepsTheList)
{
    readExample();
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    click(window.get(), "bCopyCancel");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shown(), (Entries{"0125ABCD", "03250714"}));
}

// The road from the main window: "Copy", reads, "Finish" or "Cancel", back.
class CopyFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        main = std::make_unique<VEQ>(dialogs);
        main->show();
    }

    QString file(const Bytes& bytes, const char* name)
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        return path;
    }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<VEQ> main;
};

TEST_F(CopyFromMainWindow, LaunchersTellWhoThenShowThenHideTheMainWindow)
{
    click(main.get(), "bCopyFileList");
    QWidget* window = topLevelWindow("fCopy");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(main->isVisible());
    control<QLineEdit>(window, "tCopyPlaneId")->setText(QStringLiteral("25"));
    dialogs.answer(file(image(4, kindCases()[0].records), "filelist.dat"));
    click(window, "bCopyAdd");
    ASSERT_FALSE(shownItems(window, "lCopy").empty());
    click(window, "bCopyCancel");
    ASSERT_TRUE(main->isVisible());

    for (const KindCase& c : kindCases()) {
        QString captionAtShow;
        std::size_t itemsAtShow = 1;
        bool mainVisibleAtShow = false;
        ShowWatcher watcher(window, [&] {
            captionAtShow = labelText(window, "labFileId");
            itemsAtShow = shownItems(window, "lCopy").size();
            mainVisibleAtShow = main->isVisible();
        });
        const std::string launcher = std::string("bCopy") + c.name;
        click(main.get(), launcher.c_str());
        EXPECT_EQ(watcher.shows, 1) << launcher;
        EXPECT_EQ(captionAtShow, QString::fromLatin1(c.caption)) << launcher;
        EXPECT_EQ(itemsAtShow, 0u) << launcher;
        EXPECT_TRUE(mainVisibleAtShow) << launcher;
        EXPECT_FALSE(main->isVisible()) << launcher;
        EXPECT_EQ(control<QLineEdit>(window, "tCopyPlaneId")->text(), QStringLiteral("25")) << launcher;

        dialogs.answer(file(image(c.count, c.records), "other.dat"));
        click(window, "bCopyAdd");
        EXPECT_EQ(shownItems(window, "lCopy"), c.of25) << launcher;
        click(window, "bCopyCancel");
    }
}

TEST_F(CopyFromMainWindow, FinishAddsEachEntryOnceToTheListItServes)
{
    // The exception list already holds one of the entries to be copied.
    veq::ConvBuf buf{};
    auto except = veq::buildDataFile(veq::RecordKind::Except, {}, {"03251804 ======> 03010814"}, buf);
    ASSERT_TRUE(except.ok());
    dialogs.answer(file(*except, "except.dat"));
    click(main.get(), "bRdExcept");
    ASSERT_EQ(labelText(main.get(), "labCountExcept"), QStringLiteral("1"));

    click(main.get(), "bCopyExcept");
    QWidget* window = topLevelWindow("fCopy");
    ASSERT_NE(window, nullptr);
    control<QLineEdit>(window, "tCopyPlaneId")->setText(QStringLiteral("25"));
    const QString other = file(image(3, kindCases()[1].records), "other.dat");
    dialogs.answer(other);
    click(window, "bCopyAdd");
    dialogs.answer(other);
    click(window, "bCopyAdd");
    ASSERT_EQ(shownItems(window, "lCopy").size(), 4u);
    click(window, "bCopyFinish");

    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shownItems(main.get(), "lExcept"), (Entries{"02250000 ======> 03250000", "03251804 ======> 03010814"}));
    EXPECT_EQ(labelText(main.get(), "labCountExcept"), QStringLiteral("2"));
    EXPECT_TRUE(shownItems(main.get(), "lFileList").empty());

    // A damaged file is reported in the program's message window.
    click(main.get(), "bCopyExcept");
    Bytes cut = image(3, kindCases()[1].records);
    cut.resize(cut.size() - 8);
    const QString cutPath = file(cut, "cut.dat");
    dialogs.answer(cutPath);
    click(window, "bCopyAdd");
    EXPECT_TRUE(main->messageWindow().text().contains(QStringLiteral("cut.dat")))
        << main->messageWindow().text().toStdString();
    EXPECT_TRUE(shownItems(window, "lCopy").empty());

    // "Finish" with nothing collected only goes back.
    click(window, "bCopyFinish");
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(labelText(main.get(), "labCountExcept"), QStringLiteral("2"));
}

} // namespace
