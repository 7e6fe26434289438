#pragma once

#include "CliText.h"
#include "Command.h"

class Work_ChatClean;

// "wechat" and "qq": a chat page. Its items are the rule categories, named by their id or
// title. --account and --older-than narrow the files to those of one account and those
// older than some days with the page's own filter (its account and age selectors); what they
// leave out is neither listed nor cleaned.
class ChatCommand : public Command {
public:
    // `name` is the program's name in the listing; `missing` tells why it counts as not
    // installed.
    ChatCommand(const Arguments& arguments, Work_ChatClean& work, CliText::Id name,
                QString missing);

protected:
    bool runScan(Listing& listing, int& status) override;
    int scan(Listing& listing) override;
    int act(Listing& listing) override;

private:
    // Fills in what the listing says of the program; false when it is not installed.
    bool describeProgram(Listing& listing) const;
    void list(Listing& listing, bool tickedOnly) const;

    Work_ChatClean& work_;
    CliText::Id name_;
    QString missing_;
};
