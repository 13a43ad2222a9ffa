#include "clean/recycle_bin.h"

#include <windows.h>
#include <shobjidl.h>

#include <atomic>

#include "clean/recycle_sink.h"
#include "clean/spare_name.h"
#include "platform/wide_path.h"
#include "platform/com.h"
#include "platform/shell_file_operation.h"

namespace clean {

namespace {

enum class Outcome { Recycled, Kept, NoFileOperation };

// Set once the system shows that its file-operation object is missing or
// empty, so that later files do not ask again.
std::atomic<bool> fileOperationMissing{false};

bool Missing(HRESULT hr) { return hr == E_NOTIMPL || hr == REGDB_E_CLASSNOTREG || hr == CLASS_E_CLASSNOTAVAILABLE; }

Outcome NoteMissing() {
    fileOperationMissing = true;
    return Outcome::NoFileOperation;
}

// Fully silent: no confirmation, no progress and no error box that would
// hold up an unattended clean.
constexpr DWORD kOperationFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_ALLOWUNDO | FOFX_RECYCLEONDELETE;

Outcome RecycleThroughFileOperation(const std::string& path) {
    if (fileOperationMissing) return Outcome::NoFileOperation;
    RecycleOnlySink sink;  // outlives the operation, which is released first
    platform::ComPtr<IFileOperation> operation;
    HRESULT hr = ::CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation,
                                    operation.PutVoid());
    if (Missing(hr)) return NoteMissing();
    if (FAILED(hr)) return Outcome::NoFileOperation;  // no COM on this thread, say
    hr = operation->SetOperationFlags(kOperationFlags);
    if (Missing(hr)) return NoteMissing();
    if (FAILED(hr)) return Outcome::NoFileOperation;  // flags older systems do not know
    platform::ComPtr<IShellItem> item;
    std::wstring widePath = platform::ShellPath(path);
    if (FAILED(::SHCreateItemFromParsingName(widePath.c_str(), nullptr, IID_IShellItem, item.PutVoid()))) {
        return Outcome::Kept;
    }
    DWORD cookie = 0;
    hr = operation->Advise(&sink, &cookie);
    if (Missing(hr)) return NoteMissing();
    if (FAILED(hr)) return Outcome::Kept;
    hr = operation->DeleteItem(item.Get(), nullptr);
    if (SUCCEEDED(hr)) hr = operation->PerformOperations();
    operation->Unadvise(cookie);
    if (Missing(hr)) return NoteMissing();
    return sink.Recycled() ? Outcome::Recycled : Outcome::Kept;
}

}  // namespace

bool MoveToRecycleBin(const std::string& path, SpareJournal* journal) {
    SpareName spare(path, journal);
    Outcome outcome = RecycleThroughFileOperation(path);
    if (outcome == Outcome::NoFileOperation) {
        // The older operation deletes for good what the bin does not take:
        // only a spare name can undo that. It takes no path longer than
        // MAX_PATH - 1 (some platforms crash on one): such a file stays.
        if (!spare.Held() || platform::ExceedsShortPathLimit(path)) return false;
        platform::ShellDelete(path, FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI);
    }
    if (spare.Held()) return spare.Settle();
    return outcome == Outcome::Recycled;
}

}  // namespace clean
