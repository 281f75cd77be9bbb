#pragma once
// The picture utilities of the skin: decoding a picture file into a bitmap,
// copying a rectangle of a bitmap into a new one, and turning a mask into a
// window region.

#include <windows.h>

class CBitmap;
class CDC;

// Decodes a picture file (any format the system's picture decoder reads)
// and gives the bitmap object its own copy of the picture's bitmap; the
// decoder's objects are released before returning, so the bitmap does not
// depend on COM staying up.  False, bitmap unchanged, on any failure.
bool LoadPictureFile(const wchar_t* path, CBitmap& bitmap);

// The copy holds a DIB section of its own with the source's picture; false,
// the copy unchanged, when the source holds none or the copy fails.
bool CopyBitmap(const CBitmap* source, CBitmap& copy);

// The destination becomes a new bitmap, compatible with the reference DC
// (the screen's when null), holding that rectangle of the source.  Nothing
// happens when the source holds no bitmap; an empty rectangle leaves the
// destination without a bitmap.
void StretchBitmap(CBitmap* destination, CDC* reference, const CBitmap* source, const RECT& sourceRect);

// The region of the mask's pixels that are not pure white, in the picture's
// own orientation (row 0 is the top row).  An all-white mask gives an empty
// region; null when the bitmap is null or memory runs out.  The caller owns
// the region.
HRGN CreateRegionFromBitmap(HBITMAP mask);
// The region of a picture's pixels that differ from its top left pixel:
// the picture's own background is cut away.  Null as above.
HRGN CreateRegionFromBackground(HBITMAP picture);
