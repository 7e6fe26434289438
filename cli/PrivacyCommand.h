#pragma once

#include "Command.h"

#include <memory>

class Work_Privacy;

// "privacy": the privacy page. Its items are the trace tiles, named by their id ("001" the
// Run history, "002" the recent items), their name or their group's title; counts are
// records, not bytes. Tiles without a location are listed but never cleaned.
class PrivacyCommand : public Command {
public:
    explicit PrivacyCommand(const Arguments& arguments);
    ~PrivacyCommand() override;

protected:
    bool runScan(Listing& listing, int& status) override;
    int scan(Listing& listing) override;
    int act(Listing& listing) override;

private:
    void list(Listing& listing, bool tickedOnly) const;

    // A work of its own: the window's waits a second per scan so its busy state shows.
    std::unique_ptr<Work_Privacy> work_;
};
