#pragma once
// Checks skin files against what the loader and the attribute readers
// understand: every element name known, every symbolic id, list column and
// colour name known, every picture and file that a skin names present and
// loadable.  A skin with a fault still loads (the loader skips what it does
// not know), so without this check a typing error shows only as a missing
// widget.
//
// Files are looked for in the application directory's folders, through the
// asset cache, as the programs will look for them.

#include "platform/CString.h"

#include <pugixml.hpp>

#include <vector>

class CSkinChecker {
public:
    // Every "*.xml" file of the "xml\" folder, in name order; the number of
    // files checked.
    size_t CheckAllFiles();
    // One file of the "xml\" folder; false when it has any problem.
    bool CheckFile(const wchar_t* fileName);

    // One line per problem: "file: <element name="..."> what is wrong".
    const std::vector<CString>& GetProblems() const noexcept { return m_problems; }

private:
    void CheckElement(const pugi::xml_node& element);
    void CheckAttribute(const pugi::xml_node& element, const pugi::xml_attribute& attribute);
    void CheckOverride(const pugi::xml_node& element);
    void CheckSymbolId(const pugi::xml_node& element, const pugi::xml_attribute& attribute);
    void CheckFileReference(const pugi::xml_node& element, const char* what, const char* text, int kind);
    void Report(const pugi::xml_node& element, const CString& text);

    CString m_file;
    std::vector<CString> m_problems;
};
