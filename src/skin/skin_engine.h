#pragma once
// The interface of the optional skin component. Its drawing and its skin
// file format are the component's own; the program only configures it.
#include <windows.h>
#include <oaidl.h>

namespace skin {

// {FCB8E994-A09D-4521-838F-5A20FEF4018D}
inline constexpr CLSID kSkinEngineClassId = {
    0xFCB8E994, 0xA09D, 0x4521, {0x83, 0x8F, 0x5A, 0x20, 0xFE, 0xF4, 0x01, 0x8D}};
// {450068DC-CF1A-4E58-BB41-46267C78A1AB}
inline constexpr IID kSkinEngineInterfaceId = {
    0x450068DC, 0xCF1A, 0x4E58, {0xBB, 0x41, 0x46, 0x26, 0x7C, 0x78, 0xA1, 0xAB}};

// The automation member that sets the skin's gamma (one VT_R4 argument).
inline constexpr DISPID kSetGammaMember = 51;

struct ISkinEngine : IUnknown {
    // The folder holding the skins and the skin to load, as BSTRs.
    virtual HRESULT STDMETHODCALLTYPE LoadSkin(BSTR rootPath, BSTR skinName) = 0;
    virtual HRESULT STDMETHODCALLTYPE Attach(HWND window) = 0;
    // May hand out no object (null) with a success code.
    virtual HRESULT STDMETHODCALLTYPE GetAutomationObject(IDispatch** object) = 0;
};

}  // namespace skin
