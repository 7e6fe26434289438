#pragma once

#include "Listing.h"

// A listing as one JSON document on standard output, for scripts: stable member names (see
// Listing and the README), sizes in bytes, every path both in Windows form ("path") and as
// the system names it ("raw").
class JsonReport {
public:
    static void write(const Listing& listing);
};
