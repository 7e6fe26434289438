#pragma once

// Registers the types that cross threads in queued calls under the names used in signal
// and slot signatures: "IWork::WorkStatus", "fs::directory_entry", "IWork::TWorkInfoEx"
// and "uintmax_t" (as unsigned long long). Call once before any work exists.
void RegisterWorkMetaTypes();
