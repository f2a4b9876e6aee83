#pragma once

#include "ui/file_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListView>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

// The test kit's windows: scripted file dialogs and ways to find, click and
// read the real controls by their names.
namespace kit {

// File dialogs that answer from a script (an empty answer is a cancel) and
// remember what they were asked.
class ScriptedFileDialogs final : public FileDialogs {
public:
    void answer(const QString& path) { m_answers.push_back(path); }
    [[nodiscard]] QString openFileName(QWidget* asker, const FileRequest& r) override { return next(asker, r); }
    [[nodiscard]] QString saveFileName(QWidget* asker, const FileRequest& r) override { return next(asker, r); }

    [[nodiscard]] std::size_t unanswered() const { return m_answers.size(); }
    std::vector<FileRequest> asked; // in the order asked
    // As a window manager does when a dialog closes: the window that asked is
    // made active, and Qt hears of it only later, when the program may have
    // hidden that window meanwhile (a read does).
    bool activateAsker = false;

private:
    QString next(QWidget* parent, const FileRequest& request);
    std::deque<QString> m_answers;
};

// The named control under `root`, or the named top-level window when `root`
// is null. A missing one ends the program: the test cannot go on without it.
QObject* findNamed(const QWidget* root, const char* name);
template <typename T = QWidget> T* find(const QWidget* root, const char* name)
{
    auto* found = qobject_cast<T*>(findNamed(root, name));
    if (!found) {
        std::fprintf(stderr, "%s is not a %s\n", name, T::staticMetaObject.className());
        std::abort();
    }
    return found;
}
// The top-level window of that name, or null before the program made it.
[[nodiscard]] QWidget* topLevel(const char* name);

// Clicks the named button as a user would, then lets posted events run.
void click(const QWidget* root, const char* name);
void settle();

// The texts a list view shows, top to bottom.
[[nodiscard]] std::vector<std::string> items(const QListView* list);
[[nodiscard]] std::vector<std::string> items(const QWidget* root, const char* listName);
// Selects exactly the given rows of a list view.
void selectRows(QListView* list, const std::vector<int>& rows);
[[nodiscard]] QString text(const QWidget* root, const char* labelName);

// Works the shown windows by a script: "@path" answers the next file dialog,
// "name=text" fills the named control, "name" clicks it.
void drive(ScriptedFileDialogs& dialogs, const std::vector<std::string>& steps);

// The text of the program's message window, empty while it is hidden.
[[nodiscard]] QString shownMessage();

} // namespace kit

// Test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
