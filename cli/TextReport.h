#pragma once

#include "Listing.h"

// A listing as text for a person at a terminal: a summary line, then each category with its
// size and count and, indented below it, its rows; paths in Windows form, sizes as the
// window shows them. Written to standard output; failures go to standard error.
class TextReport {
public:
    static void write(const Listing& listing);
    // "  C:\…\a.tmp：拒绝访问" for each failure, under a count, on standard error.
    static void writeFailures(const Listing& listing);
};
