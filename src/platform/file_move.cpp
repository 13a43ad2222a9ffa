#include "platform/file_move.h"

#include <aclapi.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/wide_path.h"
#include "platform/handle.h"

namespace platform {

namespace {

// Memory the security functions hand out, released with LocalFree.
struct LocalMemoryTraits {
    using Value = HLOCAL;
    static Value Invalid() { return nullptr; }
    static bool IsValid(Value v) { return v != nullptr; }
    static void Close(Value v) { ::LocalFree(v); }
};

}  // namespace

DWORD MoveHeldFile(HANDLE file, const std::string& path, bool replace) {
    // The native form of the name (\??\C:\..., \??\UNC\...): taken as it
    // stands wherever the rename request is passed on unconverted.
    std::wstring name = WidePath(path);
    if (name.rfind(L"\\\\?\\", 0) == 0) name[1] = L'?';
    const size_t nameBytes = name.size() * sizeof(wchar_t);
    std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, name.c_str(), nameBytes + sizeof(wchar_t));
    if (::SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) {
        return ERROR_SUCCESS;
    }
    return ::GetLastError();
}

bool CarriesFolderSecurity(PSECURITY_DESCRIPTOR descriptor) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (!::GetSecurityDescriptorControl(descriptor, &control, &revision)) return true;
    if (control & SE_DACL_PROTECTED) return true;
    BOOL present = FALSE, defaulted = FALSE;
    PACL list = nullptr;
    if (!::GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted)) return true;
    if (!present || !list) return false;
    for (DWORD i = 0; i < list->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(list, i, &entry)) return true;
        if (static_cast<const ACE_HEADER*>(entry)->AceFlags & INHERITED_ACE) return true;
    }
    return false;
}

bool HeldFileCarriesFolderSecurity(HANDLE file) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr,
                          &descriptor) != ERROR_SUCCESS) {
        return true;
    }
    UniqueResource<LocalMemoryTraits> owned(descriptor);
    return CarriesFolderSecurity(descriptor);
}

bool InheritSecurityFromFolder(HANDLE file) {
    // An empty list that is open to inheritance: the system fills it with
    // what the file's folder passes on.
    ACL empty{};
    if (!::InitializeAcl(&empty, sizeof empty, ACL_REVISION)) return false;
    return ::SetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION,
                             nullptr, nullptr, &empty, nullptr) == ERROR_SUCCESS;
}

}  // namespace platform
