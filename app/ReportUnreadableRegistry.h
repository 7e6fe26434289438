#pragma once

// Logs one warning, "registry: <store path>: <reason>", when the registry store cannot be
// read or parsed: every registry change (autostart among them) then fails, and nothing
// else tells the user why. Call it once, after the message handler is installed. The
// Windows registry has no store file of ours, so there it never logs.
void ReportUnreadableRegistry();
