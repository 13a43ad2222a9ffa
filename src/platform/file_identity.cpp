#include "platform/file_identity.h"

#include <cstring>

namespace platform {

namespace {

// The identity class of the extended query (systems from 2012 on). Declared
// here: the headers offer it only to programs that require those systems.
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
struct IdInfo {
    ULONGLONG volume;
    BYTE id[16];
};

}  // namespace

std::optional<FileId> IdOf(HANDLE file) {
    // The identity query reads the volume's number from the open file itself;
    // the older all-in-one query asks the volume, a round trip to another
    // process on some platforms. It is the fallback for older systems.
    IdInfo info{};
    if (::GetFileInformationByHandleEx(file, kFileIdInfo, &info, sizeof info)) {
        FileId id;
        id.volume = info.volume;
        std::memcpy(&id.low, info.id, sizeof id.low);
        std::memcpy(&id.high, info.id + sizeof id.low, sizeof id.high);
        return id;
    }
    BY_HANDLE_FILE_INFORMATION all{};
    if (!::GetFileInformationByHandle(file, &all)) return std::nullopt;
    return FileId{all.dwVolumeSerialNumber, 0,
                  (static_cast<uint64_t>(all.nFileIndexHigh) << 32) | all.nFileIndexLow};
}

DWORD LinkCountOf(HANDLE file) {
    FILE_STANDARD_INFO info{};
    return ::GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) ? info.NumberOfLinks : 0;
}

}  // namespace platform
