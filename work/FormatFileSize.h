#pragma once

#include <QString>
#include <cstdint>

// "1.50GB", "1024.00MB", "0.00KB": the largest unit whose value is strictly above 1, two
// decimals, no blank before the unit; numberOnly leaves the unit off.
QString FormatFileSize(std::uint64_t bytes, bool numberOnly = false);
