// The plain wrappers, generated from the host function list. Group A forwards; when the
// host lacks the function it answers 0 (or nothing) rather than calling through null.
// Group B answers the listed default. Wrappers of kind S are written by hand elsewhere.
#include "finalepdk/binding.h"

#define FX_WRAPPER_A(Ret, Name, Params, Args, Default) \
    extern "C" Ret FXAPI Name Params {                 \
        FX_BINDING(Name);                              \
        Name##_fn* host = binding.Get();               \
        if (!host) return HostDefault<Ret>(0);                       \
        return host Args;                              \
    }
#define FX_WRAPPER_B(Ret, Name, Params, Args, Default) \
    extern "C" Ret FXAPI Name Params {                 \
        FX_BINDING(Name);                              \
        Name##_fn* host = binding.Get();               \
        if (!host) return HostDefault<Ret>(Default);   \
        return host Args;                              \
    }
#define FX_WRAPPER_S(Ret, Name, Params, Args, Default)

#define FX_WRAPPER(kind, Ret, Name, Params, Args, Default) FX_WRAPPER_##kind(Ret, Name, Params, Args, Default)
FX_HOST_FUNCTIONS(FX_WRAPPER)
