#include "skin/skin_hook.h"

#include "platform/codepage.h"
#include "platform/trace.h"

namespace skin {

namespace {

constexpr DWORD kServerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// The gamma is a refinement: a component that does not know the member
// still skins the window, so the outcome of the call is not checked.
void SetGamma(IDispatch* automation, float gamma) {
    VARIANTARG argument;
    ::VariantInit(&argument);
    argument.vt = VT_R4;
    argument.fltVal = gamma;
    DISPPARAMS parameters{&argument, nullptr, 1, 0};
    automation->Invoke(kSetGammaMember, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                              nullptr, nullptr);
}

}  // namespace

platform::ComPtr<ISkinEngine> ApplySkin(HWND window, const SkinSettings& settings) {
    platform::ComPtr<ISkinEngine> engine;
    if (FAILED(::CoCreateInstance(kSkinEngineClassId, nullptr, kServerContext, kSkinEngineInterfaceId,
                                  engine.PutVoid())) ||
        !engine) {
        platform::Trace("skin", "no skin component: the window stays unskinned");
        return {};
    }
    if (FAILED(engine->Attach(window))) {
        platform::Trace("skin", "the skin component refused the window");
        return {};
    }
    platform::ComPtr<IDispatch> automation;
    if (FAILED(engine->GetAutomationObject(automation.Put()))) {
        platform::Trace("skin", "the skin component has no automation object");
        return {};
    }
    if (automation) SetGamma(automation.Get(), settings.gamma);
    automation.Reset();
    platform::Bstr rootPath(platform::ToWide(settings.rootPath).c_str());
    platform::Bstr skinName(platform::ToWide(settings.skinName).c_str());
    if (FAILED(engine->LoadSkin(rootPath.Get(), skinName.Get()))) {
        platform::Trace("skin", "the skin cannot be loaded");
        return {};
    }
    return engine;
}

}  // namespace skin
