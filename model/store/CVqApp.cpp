#include "model/store/CVqApp.h"

CVqApp::CVqApp(const wchar_t* executableName) : executable(executableName), guid(GUID_NULL) {}
