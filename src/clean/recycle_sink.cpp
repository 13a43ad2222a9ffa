#include "clean/recycle_sink.h"

namespace clean {

HRESULT RecycleOnlySink::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFileOperationProgressSink)) {
        *object = static_cast<IFileOperationProgressSink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecycleOnlySink::PreDeleteItem(DWORD flags, IShellItem*) {
    if (flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) return S_OK;
    // The shell would delete the item for good: a failure here cancels it.
    refused_ = true;
    return HRESULT_FROM_WIN32(ERROR_CANCELLED);
}

HRESULT RecycleOnlySink::PostDeleteItem(DWORD, IShellItem*, HRESULT result, IShellItem* inBin) {
    // The shell names the item's new place in the bin; without one the item
    // was deleted for good (or not at all).
    recycled_ = !refused_ && SUCCEEDED(result) && inBin != nullptr;
    return S_OK;
}

}  // namespace clean
