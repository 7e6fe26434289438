#include "platform/PrivateProfile.h"

#include "WideText.h"

#include <system_error>
#include <windows.h>

namespace platform {

std::string PrivateProfile::getString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue,
                                      const std::filesystem::path& file, std::size_t maxChars) {
    // A relative name would be looked up in the Windows folder, not the current one.
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error) {
        absolute = file;
    }
    const std::wstring wideSection = WideText::fromUtf8(section);
    const std::wstring wideKey = WideText::fromUtf8(key);
    const std::wstring wideDefault = WideText::fromUtf8(defaultValue);
    std::wstring buffer(maxChars + 1, L'\0');
    const DWORD copied = GetPrivateProfileStringW(
        wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(), buffer.data(),
        static_cast<DWORD>(buffer.size()), absolute.c_str());
    buffer.resize(copied < buffer.size() ? copied : maxChars);
    return WideText::toUtf8(buffer);
}

} // namespace platform
