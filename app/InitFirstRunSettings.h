#pragma once

#include "AppPaths.h"

// On the first run (no "config.ini" yet) registers autostart and turns the tray
// behaviour on; later runs change nothing.
void InitFirstRunSettings(const AppPaths& paths = AppPaths::current());
