#pragma once

#include "Command.h"

class Work_UninstallSoft;
struct TSoftwareInfo;

// "software": the uninstall page. "uninstall NAME" starts the uninstaller of the program of
// that name (letter case aside), as the page's "卸载" does once the user agreed; the engine
// does not wait for it.
class SoftwareCommand : public Command {
public:
    explicit SoftwareCommand(const Arguments& arguments);

protected:
    bool runScan(Listing& listing, int& status) override;
    int scan(Listing& listing) override;
    int act(Listing& listing) override;

private:
    void list(Listing& listing) const;
    // One program, counted in the totals.
    static void add(Listing& listing, const TSoftwareInfo& record);

    Work_UninstallSoft& work_;
};
