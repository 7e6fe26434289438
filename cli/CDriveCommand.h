#pragma once

#include "Command.h"

class Work_CClean;

// "cdrive": the C-drive page. Its items are the tiles of the rule groups, named "g.t" (group
// and tile, from 1), by the tile's name or by the group's title or number.
class CDriveCommand : public Command {
public:
    explicit CDriveCommand(const Arguments& arguments);

protected:
    bool runScan(Listing& listing, int& status) override;
    int scan(Listing& listing) override;
    int act(Listing& listing) override;

private:
    // The tiles as categories, with the files found; only the ticked ones for a clean.
    void list(Listing& listing, bool tickedOnly) const;
    std::vector<Selection::Item> items() const;

    Work_CClean& work_;
};
