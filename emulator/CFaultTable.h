#pragma once
// Failures made on purpose: the next call, or every call, of a named service
// operation fails with a chosen HRESULT, before it changes anything.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class CFaultTable {
public:
    // The operations a fault can be given to: "Interface.Method".
    static const std::vector<std::wstring>& Operations();
    static bool IsKnownOperation(const wchar_t* operation);

    // E_INVALIDARG for an unknown operation or a result that is not a failure.
    HRESULT Inject(const wchar_t* operation, HRESULT result, bool everyCall);
    void Clear() { m_faults.clear(); }
    // The failure for this call of the operation, S_OK when none is due.
    HRESULT Take(const wchar_t* operation);

private:
    struct Fault {
        HRESULT result;
        bool everyCall;
    };
    std::map<std::wstring, Fault> m_faults;
};
