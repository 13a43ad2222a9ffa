// A stand-in for the skin component: an in-process COM server that records
// every call made on it, one line each, to the file named by the environment
// variable JS_SKIN_PROBE_LOG. JS_SKIN_PROBE_FAIL names one method that
// returns E_FAIL ("attach", "automation", "load"); JS_SKIN_PROBE_NO_AUTOMATION
// makes the automation getter hand out no object.
#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "skin/skin_engine.h"

namespace {

std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

std::string Env(const char* name) {
    char buffer[1024] = {};
    DWORD n = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return (n > 0 && n < sizeof buffer) ? std::string(buffer, n) : std::string();
}

void Log(const std::string& line) {
    std::string path = Env("JS_SKIN_PROBE_LOG");
    if (path.empty()) return;
    HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

bool Fails(const char* method) { return Env("JS_SKIN_PROBE_FAIL") == method; }

std::string Narrow(const wchar_t* text) {
    if (!text) return "(null)";
    int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

template <typename Self, typename... Interfaces>
class Unknown : public Interfaces... {
public:
    Unknown() { ++g_objects; }
    virtual ~Unknown() { --g_objects; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs_;
        if (left == 0) {
            static_cast<Self*>(this)->OnFinalRelease();
            delete this;
        }
        return left;
    }

protected:
    std::atomic<ULONG> refs_{1};
};

class Automation : public Unknown<Automation, IDispatch> {
public:
    void OnFinalRelease() { Log("automation released"); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        char line[160];
        const VARIANTARG* arg = (parameters && parameters->cArgs > 0) ? &parameters->rgvarg[0] : nullptr;
        std::snprintf(line, sizeof line, "invoke %ld flags %u args %u named %u vt %u value %.3f result %s",
                      static_cast<long>(member), flags, parameters ? parameters->cArgs : 0,
                      parameters ? parameters->cNamedArgs : 0, arg ? arg->vt : 0,
                      (arg && arg->vt == VT_R4) ? static_cast<double>(arg->fltVal) : 0.0, result ? "wanted" : "none");
        Log(line);
        return S_OK;
    }
};

class Engine : public Unknown<Engine, skin::ISkinEngine> {
public:
    void OnFinalRelease() { Log("engine released"); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == skin::kSkinEngineInterfaceId) {
            *out = static_cast<skin::ISkinEngine*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE LoadSkin(BSTR rootPath, BSTR skinName) override {
        Log("load " + Narrow(rootPath) + "|" + Narrow(skinName));
        return Fails("load") ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Attach(HWND window) override {
        char line[64];
        std::snprintf(line, sizeof line, "attach %llx",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
        Log(line);
        return Fails("attach") ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAutomationObject(IDispatch** object) override {
        Log("automation");
        *object = nullptr;
        if (Fails("automation")) return E_FAIL;
        if (Env("JS_SKIN_PROBE_NO_AUTOMATION").empty()) *object = new Automation;
        return S_OK;
    }
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        Log("create");
        auto* engine = new Engine;
        HRESULT hr = engine->QueryInterface(iid, out);
        engine->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? ++g_locks : --g_locks;
        return S_OK;
    }
};

Factory g_factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (clsid != skin::kSkinEngineClassId) {
        *out = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return (g_objects == 0 && g_locks == 0) ? S_OK : S_FALSE;
}
