#pragma once

#include <string>

// Where tests write what a person may look at afterwards (screenshots).
std::wstring ArtifactPath(const std::wstring& fileName);
// The installed tree of the build (programs and skin folders).
std::wstring DistPath(const std::wstring& relative = L"");
// A fresh, empty folder for one test's files.
std::wstring MakeTempFolder(const std::wstring& hint);
