#pragma once

#include "dialogs/entry_collector.h"

// "Add Aircraft Parts": collects typed entries for one main list and hands
// them all over on "Finish". A typed text enters only as an entry the list's
// file can store as typed (parseEntry); anything else is refused by name.
class fFileListAdd final : public EntryCollector {
    Q_OBJECT

public:
    explicit fFileListAdd(Messenger& messenger);

private:
    void collect() override { bAddFileListEntry_Click(); }
    void nameControls(veq::ListId id) override;
    // "Enter Part: ie 03010714".
    [[nodiscard]] QString example(veq::ListId id) const override;

    void bAddFileListEntry_Click();
};
