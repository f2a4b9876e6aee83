#pragma once

#include "core/codec.h"
#include "ui/file_dialogs.h"
#include "ui/messenger.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListView>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// File dialogs that answer from a script and remember what they were asked.
class ScriptedFileDialogs final : public FileDialogs {
public:
    struct Asked {
        bool save;
        FileRequest request;
    };

    void answer(const QString& path) { m_answers.push_back(path); }
    [[nodiscard]] QString openFileName(QWidget* parent, const FileRequest& request) override;
    [[nodiscard]] QString saveFileName(QWidget* parent, const FileRequest& request) override;

    std::vector<Asked> asked;

private:
    QString next();
    std::deque<QString> m_answers;
};

// A messenger for windows tested on their own: it keeps every text told.
class RecordingMessenger final : public Messenger {
public:
    void tell(const QString& text) override { told.push_back(text); }
    QStringList told;
};

// The named control under `root`; fails the test when there is none.
template <typename T> T* control(const QWidget* root, const char* name)
{
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

// Clicks the named button with the mouse, as a user would.
void click(const QWidget* root, const char* name);

// The texts a list view shows, top to bottom.
[[nodiscard]] std::vector<std::string> shownItems(const QListView* list);
[[nodiscard]] std::vector<std::string> shownItems(const QWidget* root, const char* listName);

// Selects exactly the given rows of a list view.
void selectRows(QListView* list, const std::vector<int>& rows);

[[nodiscard]] QString labelText(const QWidget* root, const char* name);

// The pixel rectangle a control designed at these twips takes on this screen.
[[nodiscard]] QRect twipsRect(const QWidget* window, int left, int top, int width, int height);

// The keyboard moves through the named controls in this order; unnamed inner
// widgets (list viewports, frames) in between are passed over.
void expectTabOrder(const QWidget* root, const std::vector<const char*>& order);

// Files for the tests, made by the tests.
void writeBytes(const QString& path, const veq::Bytes& bytes);
[[nodiscard]] veq::Bytes readBytes(const QString& path);
