#include "platform/drives.h"

#include <iterator>

#include "platform/codepage.h"

namespace platform {

std::vector<std::string> DriveRoots() {
    wchar_t buffer[4 * 26 + 2] = {};
    const DWORD length = ::GetLogicalDriveStringsW(static_cast<DWORD>(std::size(buffer) - 1), buffer);
    std::vector<std::string> roots;
    if (length == 0 || length >= std::size(buffer)) return roots;
    for (const wchar_t* root = buffer; *root; root += std::char_traits<wchar_t>::length(root) + 1) {
        roots.push_back(ToNarrow(root));
    }
    return roots;
}

UINT DriveTypeOf(const std::string& root) { return ::GetDriveTypeW(ToWide(root).c_str()); }

std::string VolumeLabelOf(const std::string& root) {
    wchar_t label[MAX_PATH + 1] = {};  // the documented size of a volume label buffer
    if (!::GetVolumeInformationW(ToWide(root).c_str(), label, static_cast<DWORD>(std::size(label)), nullptr, nullptr,
                                 nullptr, nullptr, 0)) {
        return {};
    }
    return ToNarrow(label);
}

std::optional<uint64_t> FreeSpaceOf(const std::string& root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!::GetDiskFreeSpaceW(ToWide(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                             &totalClusters)) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

}  // namespace platform
