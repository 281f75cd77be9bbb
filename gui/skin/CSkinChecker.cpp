#include "gui/skin/CSkinChecker.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinVocabulary.h"
#include "gui/skin/SymbolTables.h"

#include <algorithm>
#include <cstring>

namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

size_t CSkinChecker::CheckAllFiles() {
    std::vector<CString> names;
    const CString pattern = GetApplicationDirectory() + L"xml\\*.xml";
    WIN32_FIND_DATAW found = {};
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    std::sort(names.begin(), names.end(),
              [](const CString& a, const CString& b) { return CompareNoCase(a, b) < 0; });
    for (const CString& name : names)
        CheckFile(name);
    return names.size();
}

bool CSkinChecker::CheckFile(const wchar_t* fileName) {
    m_file = fileName ? fileName : L"";
    const size_t before = m_problems.size();
    pugi::xml_document document;
    const CString path = GetApplicationDirectory() + L"xml\\" + m_file;
    pugi::xml_parse_result parsed = document.load_file(path.GetString());
    if (!parsed) {
        CString text;
        text.Format(L"%s: does not parse (%s at byte %lld)", m_file.GetString(),
                    CString::FromUtf8(parsed.description()).GetString(), static_cast<long long>(parsed.offset));
        m_problems.push_back(text);
        return false;
    }
    if (!document.child("KEYBOARD") && !document.child("GUIPANEL") && !document.child("ITEMLIST"))
        m_problems.push_back(m_file + L": no KEYBOARD, GUIPANEL or ITEMLIST root");
    for (pugi::xml_node element = document.first_child(); element; element = element.next_sibling())
        if (element.type() == pugi::node_element)
            CheckElement(element);
    return m_problems.size() == before;
}

void CSkinChecker::CheckElement(const pugi::xml_node& element) {
    const char* name = element.name();
    if (!IsKnownSkinElement(name)) {
        // What the loader never reads, it never reads inside either.
        Report(element, L"unknown element");
        return;
    }
    if (Is(name, "LANGOVERRIDE") || Is(name, "LANGOVERRIDECOL"))
        CheckOverride(element);
    else
        for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute())
            CheckAttribute(element, a);
    if (IsPictureElement(name))
        CheckFileReference(element, "picture", element.text().get(), kResourcePicture);
    if (IsSymbolIdText(name) && FindSymbolId(CString::FromUtf8(element.text().get())) == -1)
        Report(element, L"unknown symbolic id \"" + CString::FromUtf8(element.text().get()) + L"\"");
    if (const SkinFileReference* reference = FindSkinFileReference(name, nullptr)) {
        // A text file reference is optional: an element without text names
        // no file (a FONT of the system's own fonts).
        CString text = CString::FromUtf8(element.text().get());
        if (!text.Trim().IsEmpty())
            CheckFileReference(element, "file", element.text().get(), reference->kind);
    }
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            CheckElement(child);
}

void CSkinChecker::CheckAttribute(const pugi::xml_node& element, const pugi::xml_attribute& attribute) {
    const char* name = attribute.name();
    if (IsSymbolIdAttribute(element.name(), name))
        CheckSymbolId(element, attribute);
    const CString value = CString::FromUtf8(attribute.value());
    if (IsListColumnAttribute(element.name(), name) && FindListColumnId(value) == -1)
        Report(element, CString::FromUtf8(name) + L": unknown list column \"" + value + L"\"");
    if (IsCellTypeAttribute(element.name(), name) && FindCellType(value) == -1)
        Report(element, CString::FromUtf8(name) + L": unknown cell type \"" + value + L"\"");
    if (IsColourAttribute(name) && FindColour(value) == kUnknownColour)
        Report(element, CString::FromUtf8(name) + L": unknown colour name \"" + value + L"\"");
    if (const SkinFileReference* reference = FindSkinFileReference(element.name(), name))
        CheckFileReference(element, name, attribute.value(), reference->kind);
}

void CSkinChecker::CheckOverride(const pugi::xml_node& element) {
    const int count = CountSkinAttributes(element);
    pugi::xml_attribute name = element.attribute("name");
    if (Is(element.name(), "LANGOVERRIDECOL")) {
        if (count != 2 || !name)
            Report(element, L"needs exactly two attributes: name and the one it overrides");
        else if (FindListColumnId(CString::FromUtf8(name.value())) == -1)
            Report(element, L"unknown list column \"" + CString::FromUtf8(name.value()) + L"\"");
        return;
    }
    if (count == 1)
        CheckSymbolId(element, element.first_attribute());
    else if (count == 2 && name)
        CheckSymbolId(element, name);
    else
        Report(element, L"needs the item's id alone, or name and the one attribute it overrides");
}

void CSkinChecker::CheckSymbolId(const pugi::xml_node& element, const pugi::xml_attribute& attribute) {
    if (FindSymbolId(CString::FromUtf8(attribute.value())) == -1)
        Report(element, CString::FromUtf8(attribute.name()) + L": unknown symbolic id \"" +
                            CString::FromUtf8(attribute.value()) + L"\"");
}

void CSkinChecker::CheckFileReference(const pugi::xml_node& element, const char* what, const char* text, int kind) {
    CString file = CString::FromUtf8(text ? text : "");
    file.Trim();
    const CString label = CString::FromUtf8(what);
    if (file.IsEmpty()) {
        Report(element, label + L": names no file");
        return;
    }
    // Loaded as the programs load it: a picture that does not decode is as
    // missing as one that is not there.
    if (!FindOrLoadGUIResource(file, kind)->IsLoaded())
        Report(element, label + L": missing " + CGUIResource::FolderOf(kind) + file);
}

void CSkinChecker::Report(const pugi::xml_node& element, const CString& text) {
    CString where = m_file + L": <" + CString::FromUtf8(element.name());
    if (pugi::xml_attribute name = element.attribute("name"))
        where += L" name=\"" + CString::FromUtf8(name.value()) + L"\"";
    m_problems.push_back(where + L"> " + text);
}
