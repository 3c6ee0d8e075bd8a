// Lazy binding of one host function: looked up by name on first use, kept for the life
// of the library, null for ever when the host does not export the name.
#pragma once

#include <type_traits>

#include "finalepdk/finalepdk.h"

template <class Fn>
struct HostFunction {
    const char* name;
    bool looked = false;
    Fn* address = nullptr;

    Fn* Get() {
        if (!looked) {
            // Without the host module there is nothing to bind: Win32 would search the
            // executable that loaded the library under a null handle, whatever it is.
            HMODULE module = GetFinaleHandle();
            FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
            address = reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(proc));
            looked = true;
        }
        return address;
    }
};

// What a wrapper answers without a host function: the listed default, null or nothing.
template <class Ret, class Value>
Ret HostDefault(Value value) {
    if constexpr (std::is_void_v<Ret>)
        return;
    else if constexpr (std::is_pointer_v<Ret> && std::is_integral_v<Value>)
        return nullptr;
    else
        return static_cast<Ret>(value);
}

// The binding slot of a wrapper, a function-local static named after it.
#define FX_BINDING(Name) static HostFunction<Name##_fn> binding{#Name}
