#pragma once

#include "ItemFailures.h"
#include "Listing.h"

#include <vector>

// Why an item failed, as the listing gives it: a stable word for scripts ("in-use",
// "access-denied", "changed", ...), the Windows error code and the reason in words.
class FailureReasons {
public:
    static Listing::Failure describe(const ItemFailures::Failure& failure);
    static std::vector<Listing::Failure>
    describe(const std::vector<ItemFailures::Failure>& failures);
};
