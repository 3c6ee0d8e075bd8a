// The simulated host: answers the FX_ functions from a HostDocument, records every call,
// and exports its functions to the plug-in through the platform's module registry, by
// name, exactly as the real host exports them from its executable.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "host/document.h"
#include "platform/win32.h"

struct HostCall {
    std::string name;
    std::vector<int64_t> args;  // numbers as passed; a record key as its 8 bytes
};

struct MessageBoxCall {
    void* window;
    std::string text;
    std::string caption;
    unsigned int type;
};

class SimulatedHost {
public:
    // Becomes the host that the FX_ functions answer for, until destroyed.
    explicit SimulatedHost(HostDocument& document);
    ~SimulatedHost();
    SimulatedHost(const SimulatedHost&) = delete;
    SimulatedHost& operator=(const SimulatedHost&) = delete;

    static SimulatedHost* Current();

    // Exports the host's functions under a module name, as the host executable does.
    void Install(const char* moduleName = "FINALE.EXE");
    void Uninstall();
    // A host that lacks a function: the plug-in's lookup of its name finds nothing.
    void Remove(const std::string& function) { _missing.insert(function); }
    bool Exports(const std::string& function) const;

    HostDocument& Document() { return *_document; }
    void SetDocument(HostDocument& document) { _document = &document; }

    // The call log, in order.
    const std::vector<HostCall>& Calls() const { return _calls; }
    std::vector<HostCall> CallsTo(const std::string& name) const;
    int CallCount(const std::string& name) const;
    void ClearCalls() { _calls.clear(); }
    template <class... Args>
    void Log(const char* name, Args... args) {
        _calls.push_back({name, {LogValue(args)...}});
    }

    // Names the plug-in looked up in the host's exports, in order.
    std::vector<std::string> lookups;

    // The main window handle the host passes to plug-ins.
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x0BAD0000));
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<std::string> alerts;
    // Misuse of the host that a real host would crash on or corrupt data with.
    std::vector<std::string> faults;

    // Frames handed out and not yet freed.
    struct LiveFrame {
        size_t entryBytes = 0;
        size_t tupletBytes = 0;
    };
    std::map<EXTGF2005a*, LiveFrame> liveFrames;

    // When set, answers FX_LoadEData in place of the document (the call is still logged):
    // a host that fails a load yet writes into the buffer.
    std::function<int16_t(uint32_t tag, RecordKey* key, void* buffer, uint32_t* size, uint32_t version)>
        loadEDataOverride;

private:
    template <class T>
    static int64_t LogValue(T value) {
        if constexpr (std::is_pointer_v<T>)
            return static_cast<int64_t>(reinterpret_cast<uintptr_t>(value));
        else
            return static_cast<int64_t>(value);
    }
    static int64_t LogValue(RecordKey* key);

    HostDocument* _document;
    SimulatedHost* _previous;
    std::set<std::string> _missing;
    std::string _moduleName;
    std::vector<HostCall> _calls;
};

// The host's version value, as the host hands it to the plug-in.
constexpr uint32_t SIMULATED_HOST_VERSION = 0x0F000200;
