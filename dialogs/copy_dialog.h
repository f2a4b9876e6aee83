#pragma once

#include "dialogs/entry_collector.h"

class FileDialogs;

// "Copy From File": collects the entries of one aircraft, by its typed plane
// id, from other data files of one kind, and hands them to the main list of
// that kind on "Finish". Reading the same file twice lists its entries twice;
// the main list drops the repeats. The typed id survives every opening.
class fCopy final : public EntryCollector {
    Q_OBJECT

public:
    explicit fCopy(Messenger& messenger, FileDialogs& fileDialogs);

private:
    void collect() override { bCopyAdd_Click(); }
    void nameControls(veq::ListId id) override;

    void bCopyAdd_Click();

    FileDialogs& m_fileDialogs;
};
