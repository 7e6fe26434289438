#pragma once

#include <filesystem>

// A Windows machine in the benchmark's temporary folder: drives C: and D: on c/ and d/,
// the registry file registry.reg, and the profile variables naming folders of a user on
// C:, so no benchmark reads or writes this machine's own files.
namespace BenchMachine {
// Points the process at the machine below `root`, before any work is built.
void use(const std::filesystem::path& root);
std::filesystem::path c(const std::filesystem::path& root);
} // namespace BenchMachine
