// The asset cache: one entry per name and kind, loaded once (a missing file
// too), names trimmed, sizes answered for the kind asked about, paths that
// are too long refused before anything is loaded.

#include "gui/skin/GUIResources.h"
#include "platform/CBitmap.h"
#include "tests/gui/SkinTestFolder.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kLanguageText = L"a language file that shares the picture's name";

class ResourceCache : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteBmp(L"skins\\Pic.bmp", 5, 3, [](int x, int) { return x ? RGB(255, 0, 0) : RGB(0, 0, 0); });
        folder.WriteBytes(L"bin\\Data.bin", {1, 2, 3, 4, 5, 6, 7});
        folder.WriteBytes(L"bin\\Empty.bin", {});
        folder.WriteUtf16(L"lang\\Pic.bmp", kLanguageText);
    }
    SkinTestFolder folder{L"gui-cache"};
};

TEST_F(ResourceCache, OneEntryPerNameAndKindIgnoringCase) {
    CGUIResource* picture = FindOrLoadGUIResource(L"Pic.bmp", kResourcePicture);
    ASSERT_TRUE(picture->IsLoaded());
    EXPECT_EQ(FindOrLoadGUIResource(L"PIC.BMP", kResourcePicture), picture);
    CGUIResource* bitmap = FindOrLoadGUIResource(L"pic.bmp", kResourceBitmap);
    EXPECT_NE(bitmap, picture);
    ASSERT_NE(bitmap->GetBitmapHandle(), nullptr);
    EXPECT_EQ(bitmap->GetPicture(), nullptr);
    BITMAP info = {};
    ASSERT_TRUE(picture->GetPicture()->GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(GetGUIResources().size(), 2u);
    EXPECT_EQ(picture->GetPath(), CString((folder.Root() + L"\\skins\\Pic.bmp").c_str()));
}

TEST_F(ResourceCache, SkinTextIsTrimmedBeforeTheLookup) {
    CBitmap* bare = GetSkinPictureByAttribute("Pic.bmp");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(GetSkinPictureByAttribute(" \t\r\n Pic.bmp \n"), bare);
    EXPECT_EQ(GetGUIResources().size(), 1u);
    EXPECT_NE(GetSkinBitmapByAttribute("  Pic.bmp  "), nullptr);
}

TEST_F(ResourceCache, AMissingFileIsTriedOnceAndStaysNull) {
    EXPECT_EQ(GetSkinPictureByAttribute("Later.bmp"), nullptr);
    ASSERT_EQ(GetGUIResources().size(), 1u);
    folder.WriteBmp(L"skins\\Later.bmp", 2, 2, [](int, int) { return 0; });
    EXPECT_EQ(GetSkinPictureByAttribute("Later.bmp"), nullptr);  // the disk is not asked again
    EXPECT_EQ(GetGUIResources().size(), 1u);
}

TEST_F(ResourceCache, FileBytesAndSizesOfTheirOwnKind) {
    const CGUIResource* data = GetBinaryFileByName(L"Data.bin");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->GetSize(), 7);
    EXPECT_EQ(data->GetBytes()[6], 7);
    EXPECT_EQ(GetBinaryFileByName(L"Empty.bin"), nullptr);  // no buffer for an empty file
    EXPECT_EQ(GetGUIResourceSize(L"Empty.bin", kResourceBinary), 0);
    EXPECT_EQ(GetGUIResourceSize(L"Never.bin", kResourceBinary), 0);

    // The same name as a picture and as a language file: each size is its
    // own entry's, whichever was asked for first.
    ASSERT_NE(GetSkinPictureByAttribute("Pic.bmp"), nullptr);
    const CGUIResource* text = GetLanguageFileByAttribute("Pic.bmp");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(GetGUIResourceSize(L"Pic.bmp", kResourcePicture), 8);
    EXPECT_EQ(GetGUIResourceSize(L"pic.BMP", kResourceLanguage), static_cast<int32_t>(kLanguageText.size() * 2));
    EXPECT_EQ(text->GetSize(), static_cast<int32_t>(kLanguageText.size() * 2));
    EXPECT_EQ(text->GetPicture(), nullptr);
}

TEST_F(ResourceCache, TooLongAPathIsRefusedAndAnythingElseLoadsNothing) {
    const std::wstring longName(300, L'a');
    CGUIResource* entry = FindOrLoadGUIResource(longName.c_str(), kResourceBinary);
    EXPECT_FALSE(entry->IsLoaded());
    EXPECT_GT(entry->GetPath().GetLength(), CGUIResource::kMaxPathUnits);
    CGUIResource* other = FindOrLoadGUIResource(L"Data.bin", 3);
    EXPECT_FALSE(other->IsLoaded());
    EXPECT_EQ(other->GetSize(), 0);
    EXPECT_EQ(CGUIResource::FolderOf(3), CString(L"skins\\"));
}

TEST_F(ResourceCache, ReleaseEmptiesTheListAndFreesEveryKind) {
    CGUIResource* picture = FindOrLoadGUIResource(L"Pic.bmp", kResourcePicture);
    HGDIOBJ handle = picture->GetPicture()->GetSafeHandle();
    ASSERT_NE(GetObjectType(handle), 0u);
    GetBinaryFileByName(L"Data.bin");
    FindOrLoadGUIResource(L"Missing.ttf", kResourceFont);
    ReleaseGUIResources();
    EXPECT_TRUE(GetGUIResources().empty());
    EXPECT_EQ(GetObjectType(handle), 0u);  // the picture's bitmap went with it
    EXPECT_NE(GetSkinPictureByAttribute("Pic.bmp"), nullptr);  // and the list works again
}

}  // namespace
