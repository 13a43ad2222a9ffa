#include "platform/task_scheduler.h"

#include <taskschd.h>

#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/trace.h"

namespace platform {

namespace {

// The root folder of a fresh connection to the service; the failure that
// stopped it otherwise.
HRESULT ConnectRoot(ComPtr<ITaskFolder>& root) {
    ComPtr<ITaskService> service;
    HRESULT hr = ::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                    service.PutVoid());
    if (FAILED(hr)) return hr;
    // Empty variants: this computer, the calling user.
    Variant server, user, domain, password;
    hr = service->Connect(server.Get(), user.Get(), domain.Get(), password.Get());
    if (FAILED(hr)) return hr;
    Bstr rootPath(L"\\");
    return service->GetFolder(rootPath.Get(), root.Put());
}

void TraceFailure(const char* what, HRESULT hr) {
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(hr));
    Trace("task scheduler", std::string(what) + " failed with " + code);
}

}  // namespace

bool IsNoSuchTask(HRESULT status) {
    return status == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || status == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

TaskLookup SystemTaskFolder::Find(const std::string& name) {
    TaskLookup lookup;
    ComPtr<ITaskFolder> root;
    lookup.status = ConnectRoot(root);
    if (FAILED(lookup.status)) {
        TraceFailure("connecting", lookup.status);
        return lookup;
    }
    Bstr taskName(ToWide(name).c_str());
    ComPtr<IRegisteredTask> task;
    HRESULT hr = root->GetTask(taskName.Get(), task.Put());
    if (IsNoSuchTask(hr)) return lookup;
    if (FAILED(hr) || !task) {
        lookup.status = FAILED(hr) ? hr : E_UNEXPECTED;
        TraceFailure("finding the task", lookup.status);
        return lookup;
    }
    lookup.found = true;
    Bstr xml;
    // A task whose definition cannot be read is still there.
    if (SUCCEEDED(task->get_Xml(xml.Put())) && xml.Get()) lookup.xml = ToNarrow(xml.Get());
    return lookup;
}

HRESULT SystemTaskFolder::Register(const std::string& name, const std::string& xml) {
    ComPtr<ITaskFolder> root;
    HRESULT hr = ConnectRoot(root);
    if (SUCCEEDED(hr)) {
        Bstr taskName(ToWide(name).c_str());
        Bstr definition(ToWide(xml).c_str());
        Variant user, password, securityDescriptor;
        ComPtr<IRegisteredTask> registered;
        hr = root->RegisterTask(taskName.Get(), definition.Get(), TASK_CREATE_OR_UPDATE, user.Get(),
                                password.Get(), TASK_LOGON_INTERACTIVE_TOKEN, securityDescriptor.Get(),
                                registered.Put());
    }
    if (FAILED(hr)) TraceFailure("registering the task", hr);
    return hr;
}

HRESULT SystemTaskFolder::Remove(const std::string& name) {
    ComPtr<ITaskFolder> root;
    HRESULT hr = ConnectRoot(root);
    if (SUCCEEDED(hr)) {
        Bstr taskName(ToWide(name).c_str());
        hr = root->DeleteTask(taskName.Get(), 0);
        if (IsNoSuchTask(hr)) hr = S_OK;
    }
    if (FAILED(hr)) TraceFailure("deleting the task", hr);
    return hr;
}

}  // namespace platform
