#include "TempTree.h"
#include "platform/KnownFolders.h"
#include "platform/PathText.h"
#include "platform/RegistryKey.h"
#include "platform/SystemInfo.h"

#include <gtest/gtest.h>
#include <optional>
#include <windows.h>

using platform::SystemInfo;

// What only Windows has: the OS version, DPI awareness, the shell's folders.
namespace {

// The version the registry records, an independent witness of what RtlGetVersion says.
std::pair<unsigned, unsigned> registeredVersion() {
    auto key = platform::RegistryKey::open(
        platform::RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
        platform::RegistryAccess::Read, platform::RegistryView::Wow64_64);
    if (const auto major = key.readDword("CurrentMajorVersionNumber"))
        return {*major, key.readDword("CurrentMinorVersionNumber").value_or(0)};
    const std::string text = key.readString("CurrentVersion").value_or("0.0"); // "6.1"
    const auto dot = text.find('.');
    return {static_cast<unsigned>(std::stoul(text.substr(0, dot))),
            dot == std::string::npos ? 0u
                                     : static_cast<unsigned>(std::stoul(text.substr(dot + 1)))};
}

TEST(SystemInfoTest, Windows7OrLowerFollowsTheVersion) {
    const auto [major, minor] = registeredVersion();
    ASSERT_GT(major, 0u);
    EXPECT_EQ(SystemInfo::isWindows7OrLower(), major < 6 || (major == 6 && minor < 2))
        << major << "." << minor;
}

// Whether the calling thread renders DPI-unaware; nothing on Windows without contexts.
std::optional<bool> threadIsDpiUnaware() {
    using GetContext = HANDLE(WINAPI*)();
    using AwarenessOf = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto get = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<AwarenessOf>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!get || !awareness)
        return std::nullopt;
    return awareness(get()) == 0; // DPI_AWARENESS_UNAWARE
}

TEST(SystemInfoTest, ThreadBecomesDpiUnaware) {
    if (!threadIsDpiUnaware())
        GTEST_SKIP() << "this Windows has no DPI awareness contexts";
    // Unaware is the default without a manifest, so leave it first: system aware (-2).
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_NE(set, nullptr);
    set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-2)));
    ASSERT_EQ(threadIsDpiUnaware(), false);
    SystemInfo::setDpiUnawareThread();
    EXPECT_EQ(threadIsDpiUnaware(), true);
}

TEST(SystemInfoTest, CurrentDirectoryTakesUnicodeNames) {
    TempTree folder;
    const auto target = folder.path() / platform::PathText::fromUtf8("目录 ü");
    std::filesystem::create_directories(target);
    const auto previous = SystemInfo::currentDirectory();
    ASSERT_TRUE(SystemInfo::setCurrentDirectory(target));
    const auto now = SystemInfo::currentDirectory();
    EXPECT_FALSE(SystemInfo::setCurrentDirectory(folder.path() / "missing"));
    const auto unchanged = SystemInfo::currentDirectory();
    ASSERT_TRUE(SystemInfo::setCurrentDirectory(previous));
    EXPECT_TRUE(std::filesystem::equivalent(now, target));
    EXPECT_EQ(unchanged, now);
}

TEST(KnownFoldersTest, DocumentsIsAnExistingFolder) {
    const auto documents = platform::KnownFolders::documents();
    ASSERT_TRUE(documents.has_value());
    const auto path = platform::PathText::fromUtf8(*documents);
    EXPECT_TRUE(path.is_absolute()) << *documents;
    EXPECT_TRUE(std::filesystem::is_directory(path)) << *documents;
}

} // namespace
