// Reads the skin back out of the built program, the way the image loader and the shell find it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "SkinTable.h"

namespace {

class SkinResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = LoadLibraryExW(VORLIX_EXE_PATH, nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() {
        if (s_module) FreeLibrary(s_module);
        s_module = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_module, nullptr) << "cannot open Vorlix.exe, error " << GetLastError(); }

    // The bytes of one resource; empty when it is missing.
    static std::vector<unsigned char> Bytes(int id, const wchar_t* type) {
        HRSRC info = FindResourceW(s_module, MAKEINTRESOURCEW(id), type);
        if (!info) return {};
        HGLOBAL handle = LoadResource(s_module, info);
        const auto* data = handle ? static_cast<const unsigned char*>(LockResource(handle)) : nullptr;
        if (!data) return {};
        return std::vector<unsigned char>(data, data + SizeofResource(s_module, info));
    }

    static HMODULE s_module;
};

HMODULE SkinResourceTest::s_module = nullptr;

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint16_t Little16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t Little32(const unsigned char* p) { return std::uint32_t(Little16(p)) | (std::uint32_t(Little16(p + 2)) << 16); }

BOOL CALLBACK CollectPngId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    auto* ids = reinterpret_cast<std::set<int>*>(param);
    ids->insert(IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
    return TRUE;
}

TEST_F(SkinResourceTest, EveryListedImageIsAPngOfItsListedSize) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (const SkinImage& image : kSkinImages) {
        SCOPED_TRACE("PNG " + std::to_string(image.id));
        std::vector<unsigned char> png = Bytes(image.id, L"PNG");
        ASSERT_GE(png.size(), 33u) << "missing or truncated";
        EXPECT_TRUE(std::equal(kSignature, kSignature + 8, png.begin()));
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
        EXPECT_EQ(BigEndian32(&png[16]), std::uint32_t(image.width));
        EXPECT_EQ(BigEndian32(&png[20]), std::uint32_t(image.height));
        // Frames must split the picture evenly, or strips would be cut in the wrong place.
        EXPECT_EQ(image.width % image.columns, 0);
        EXPECT_EQ(image.height % image.rows, 0);
    }
}

TEST_F(SkinResourceTest, TheProgramCarriesNoImageOutsideTheList) {
    std::set<int> found;
    EnumResourceNamesW(s_module, L"PNG", CollectPngId, reinterpret_cast<LONG_PTR>(&found));
    std::set<int> listed;
    for (const SkinImage& image : kSkinImages) {
        EXPECT_TRUE(listed.insert(image.id).second) << "id " << image.id << " listed twice";
    }
    EXPECT_EQ(found, listed);
}

TEST_F(SkinResourceTest, IconHasSmallAndLargeImages) {
    std::vector<unsigned char> group = Bytes(128, RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u) << "icon group 128 missing";
    const int count = Little16(&group[4]);
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::set<int> sizes;
    for (int i = 0; i < count; ++i) {
        const unsigned char* entry = &group[6 + 14 * i];
        const int width = entry[0] ? entry[0] : 256;
        EXPECT_EQ(entry[1] ? entry[1] : 256, width) << "icons are square";
        sizes.insert(width);
        EXPECT_EQ(Bytes(Little16(entry + 12), RT_ICON).size(), Little32(entry + 8)) << "image " << width;
    }
    for (int size : {16, 32, 48, 256}) EXPECT_EQ(sizes.count(size), 1u) << size << " px";
    HICON small = static_cast<HICON>(LoadImageW(s_module, MAKEINTRESOURCEW(128), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(small, nullptr);
    if (small) DestroyIcon(small);
}

TEST_F(SkinResourceTest, TrayMenuHasShowHideAndExit) {
    HMENU menu = LoadMenuW(s_module, MAKEINTRESOURCEW(201));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    struct { UINT id; const wchar_t* text; } expected[] = {{2100, L"显示/隐藏 主面板"}, {2101, L"退出"}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(GetMenuItemID(popup, i), expected[i].id);
        wchar_t text[64] = {};
        GetMenuStringW(popup, i, text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), expected[i].text);
    }
    DestroyMenu(menu);
}

TEST_F(SkinResourceTest, DialogTemplatesAreEmptyAndUndecorated) {
    struct { int id; DWORD kind; } templates[] = {{203, WS_POPUP}, {205, WS_CHILD}, {206, WS_POPUP}};
    for (const auto& t : templates) {
        SCOPED_TRACE("dialog " + std::to_string(t.id));
        std::vector<unsigned char> dlg = Bytes(t.id, RT_DIALOG);
        ASSERT_GE(dlg.size(), 26u);
        ASSERT_EQ(Little16(&dlg[0]), 1) << "extended template";
        ASSERT_EQ(Little16(&dlg[2]), 0xFFFF);
        const DWORD style = Little32(&dlg[12]);
        EXPECT_EQ(style & (WS_POPUP | WS_CHILD), t.kind);
        EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_VISIBLE | WS_SYSMENU), 0u);
        EXPECT_EQ(Little16(&dlg[16]), 0) << "the dialogs build their controls in code";
    }
}

}  // namespace
