#include "tests/windows/main_window_fixture.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>

namespace {

// A document as it reads: the manual page without its font changes and
// with its hyphens, the guide as it is.
QString readDocument(const char* path)
{
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    return text;
}

TEST_F(MainWindow, TheManualAndTheGuideNameEveryCommandOfAListsMenuAndItsKey)
{
    auto* list = kit::find<QListView>(window.get(), "lFileList");
    const QPoint at(5, 5);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &menuEvent);
    const auto* menu = window->findChild<QMenu*>(QStringLiteral("listMenu"));
    ASSERT_TRUE(menu && menu->isVisible());

    for (const char* path : {VEQ_MANUAL_PAGE, VEQ_GUIDE}) {
        const QString text = readDocument(path);
        ASSERT_FALSE(text.isEmpty()) << path;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            // Nothing is done yet, so Undo and Redo are named alone.
            EXPECT_TRUE(text.contains(action->text())) << path << " does not name " << action->text().toStdString();
            // The platform's first key for the command, as the documents spell it.
            QString key = action->shortcut().toString(QKeySequence::PortableText);
            if (key == u"Del")
                key = QStringLiteral("Delete");
            EXPECT_TRUE(text.contains(key)) << path << " does not give " << key.toStdString() << " for "
                                            << action->text().toStdString();
        }
    }
}

} // namespace
