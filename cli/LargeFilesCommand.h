#pragma once

#include "Command.h"

class Work_LargeFile;

// "largefiles": the large-file page. Its items are the file-type categories, named by their
// id or title; "move" moves the ticked files to --to (or to the folder set in the window).
class LargeFilesCommand : public Command {
public:
    explicit LargeFilesCommand(const Arguments& arguments);

protected:
    bool runScan(Listing& listing, int& status) override;
    int scan(Listing& listing) override;
    int act(Listing& listing) override;

private:
    void list(Listing& listing, bool tickedOnly) const;

    Work_LargeFile& work_;
    // Where a move goes, as given.
    QString destination_;
};
