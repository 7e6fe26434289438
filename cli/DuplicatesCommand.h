#pragma once

#include "Command.h"

class LM_DuplicateFileListNode;
class Work_DuplicateFile;

// "duplicates": the duplicate page, on drive --drive (C: as the page's quick scan, or all).
// Its items are the file types, named by id or title ("重复图片" or "图片"). A clean ticks
// every copy of each group of the chosen types but one, the copy --keep names (the first
// listed, the newest or the oldest), and deletes with the page's own checks: never the last
// copy, never a file changed since the scan.
class DuplicatesCommand : public Command {
public:
    explicit DuplicatesCommand(const Arguments& arguments);

protected:
    bool runScan(Listing& listing, int& status) override;
    int scan(Listing& listing) override;
    int act(Listing& listing) override;

private:
    // The types as categories with every copy; with `plan`, only the chosen types, each copy
    // marked as kept or deleted.
    void list(Listing& listing, bool plan) const;
    // Ticks every shown copy of each group of `table` but the one --keep names; unticks all
    // when the type is not chosen.
    void tick(LM_DuplicateFileListNode& table, bool chosen) const;

    Work_DuplicateFile& work_;
    QString drive_;
    std::vector<bool> chosen_;
};
