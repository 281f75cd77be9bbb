#include "model/store/EditFunctionNames.h"

#include <map>

namespace {

std::map<int32_t, CString>& Table() {
    static std::map<int32_t, CString> table = [] {
        static const wchar_t* const names[] = {
            L"$cut", L"$copy", L"$paste", L"$undo", L"$all", L"$find",
            L"$new", L"$print", L"$save", L"$swapwindows", L"$closewindow", L"$lockpc",
            L"$openexplorer", L"$run", L"$showdesktop", L"$zoomin", L"$zoomout",
        };
        std::map<int32_t, CString> t;
        int32_t id = 1;
        for (const wchar_t* name : names)
            t[id++] = name;
        return t;
    }();
    return table;
}

// Built during static initialisation, before anything looks a name up.
[[maybe_unused]] const bool g_filled = (Table(), true);

}  // namespace

int32_t FindEditFunctionId(const wchar_t* name) {
    if (!name)
        return -1;
    for (const auto& entry : Table())
        if (entry.second.CompareNoCase(name) == 0)
            return entry.first;
    return -1;
}

// A lookup never grows the table: an unknown id would otherwise leave an
// unnamed entry that a later lookup of the empty name would find.
CString EditFunctionNameAt(int32_t id) {
    auto it = Table().find(id);
    return it == Table().end() ? CString() : it->second;
}
