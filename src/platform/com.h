#pragma once
// COM helpers: apartment scope, an owning interface pointer, BSTR and VARIANT.
#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace platform {

// Initialises COM for the calling thread for the scope's lifetime.
class ComApartment {
public:
    ComApartment() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Ok() const { return SUCCEEDED(hr_); }

private:
    HRESULT hr_;
};

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr& operator=(const ComPtr& other) {
        if (this != &other) {
            if (other.p_) other.p_->AddRef();
            Reset();
            p_ = other.p_;
        }
        return *this;
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For out-parameters: releases what is held and hands out the slot.
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

    template <typename U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> other;
        if (p_) p_->QueryInterface(iid, other.PutVoid());
        return other;
    }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : s_(::SysAllocString(text)) {}
    ~Bstr() { ::SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR Get() const { return s_; }
    BSTR* Put() {
        ::SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }

private:
    BSTR s_ = nullptr;
};

class Variant {
public:
    Variant() { ::VariantInit(&v_); }
    ~Variant() { ::VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT& Get() { return v_; }
    VARIANT* Put() {
        ::VariantClear(&v_);
        return &v_;
    }

    static void SetText(Variant& v, const wchar_t* text) {
        ::VariantClear(&v.v_);
        v.v_.vt = VT_BSTR;
        v.v_.bstrVal = ::SysAllocString(text);
    }

    // Holds its own reference to the object, released with the variant.
    static void SetUnknown(Variant& v, IUnknown* object) {
        ::VariantClear(&v.v_);
        v.v_.vt = VT_UNKNOWN;
        v.v_.punkVal = object;
        if (object) object->AddRef();
    }

private:
    VARIANT v_;
};

}  // namespace platform
