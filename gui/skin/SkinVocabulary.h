#pragma once
// The words a skin file may use, as the loader and the attribute readers
// read them: element names, the attributes that hold symbolic ids, colour
// names or file names.  A check of a whole skin asks these, so the loader
// and the check never disagree about what a skin may say.

// An element text or attribute that names a file of the asset cache, and
// the kind (so the folder) it is looked for as.
struct SkinFileReference {
    const char* element;
    const char* attribute;  // null: the element's text
    int kind;               // GUIResourceKind
};

// The three roots, the list and item elements of the loader's table, and
// the elements the readers look for inside them.
bool IsKnownSkinElement(const char* name);
// Elements whose text is a picture's file name.
bool IsPictureElement(const char* name);
// An attribute of that element whose value must be a symbolic id.
bool IsSymbolIdAttribute(const char* element, const char* attribute);
// An element whose text must be a symbolic id (a slider's STAGE).
bool IsSymbolIdText(const char* element);
// An attribute whose value must be a colour name.
bool IsColourAttribute(const char* attribute);
// An attribute of that element whose value must be a list-column id
// (a list's column names its column, not an item).
bool IsListColumnAttribute(const char* element, const char* attribute);
// An attribute of that element whose value must be a cell type name.
bool IsCellTypeAttribute(const char* element, const char* attribute);
// The reference an element's text or attribute makes to a file, if any.
const SkinFileReference* FindSkinFileReference(const char* element, const char* attribute);
