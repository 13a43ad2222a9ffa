#pragma once
// Owning wrappers for kernel handles. A moved-from or empty wrapper holds
// the traits' invalid value and closes nothing.
#include <windows.h>

#include <utility>

namespace platform {

template <typename Traits>
class UniqueResource {
public:
    using Value = typename Traits::Value;

    UniqueResource() = default;
    explicit UniqueResource(Value value) : value_(value) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Value Get() const { return value_; }
    bool Valid() const { return Traits::IsValid(value_); }
    explicit operator bool() const { return Valid(); }

    Value Release() { return std::exchange(value_, Traits::Invalid()); }
    void Reset(Value value = Traits::Invalid()) {
        Value old = std::exchange(value_, value);
        if (Traits::IsValid(old)) Traits::Close(old);
    }

private:
    Value value_ = Traits::Invalid();
};

// Traits of a handle kind whose empty value is null, closed by close.
template <typename T, auto close>
struct NullHandleTraits {
    using Value = T;
    static Value Invalid() { return nullptr; }
    static bool IsValid(Value v) { return v != nullptr; }
    static void Close(Value v) { close(v); }
};

struct KernelHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return nullptr; }
    static bool IsValid(Value v) { return v != nullptr && v != INVALID_HANDLE_VALUE; }
    static void Close(Value v) { ::CloseHandle(v); }
};

struct FindHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Value v) { return v != nullptr && v != INVALID_HANDLE_VALUE; }
    static void Close(Value v) { ::FindClose(v); }
};

using RegKeyTraits = NullHandleTraits<HKEY, ::RegCloseKey>;
using ModuleTraits = NullHandleTraits<HMODULE, ::FreeLibrary>;

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using FindHandle = UniqueResource<FindHandleTraits>;
using RegKey = UniqueResource<RegKeyTraits>;
using LoadedModule = UniqueResource<ModuleTraits>;

}  // namespace platform
