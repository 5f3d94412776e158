// Linked with the program's resource script, so this executable carries the version information
// and the icon that Explorer shows for the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::vector<char> ownVersionInfo()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return {};
    DWORD handle = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &handle));
    if (info.empty() || !GetFileVersionInfoA(path, 0, DWORD(info.size()), info.data()))
        return {};
    return info;
}

class VersionInfo : public testing::Test
{
protected:
    void SetUp() override
    {
        m_info = ownVersionInfo();
        ASSERT_FALSE(m_info.empty()) << "no version information, error " << GetLastError();
    }

    template<typename T> const T *query(const std::string &block, UINT *size = nullptr) const
    {
        void *value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(m_info.data(), block.c_str(), &value, &length) || !value)
            return nullptr;
        if (size)
            *size = length;
        return static_cast<const T *>(value);
    }

private:
    std::vector<char> m_info;
};

TEST_F(VersionInfo, FileAndProductVersionAreOnePointZero)
{
    const auto *fixed = query<VS_FIXEDFILEINFO>("\\");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
}

struct Text
{
    const char *name;
    std::string value;
};

const Text texts[] = {
    { "FileDescription", "Glyphorbitaloscopex v1.0" },
    { "ProductName", "Glyphorbitaloscopex" },
    { "FileVersion", GLYPH_VERSION },
    { "ProductVersion", GLYPH_VERSION },
    { "InternalName", "glyphorbitaloscopex" },
    { "OriginalFilename", "glyphorbitaloscopex.exe" },
    { "LegalCopyright", "Copyright (c) 2026 Quillmark Software" },
};

TEST_F(VersionInfo, TextsAreInUsEnglishUnicodeAndNameTheProduct)
{
    UINT size = 0;
    const auto *translation = query<WORD>("\\VarFileInfo\\Translation", &size);
    ASSERT_TRUE(translation);
    ASSERT_EQ(size, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0409); // US English
    EXPECT_EQ(translation[1], 1200); // UTF-16

    for (const Text &text : texts) {
        SCOPED_TRACE(text.name);
        const char *value = query<char>(std::string("\\StringFileInfo\\040904b0\\") + text.name);
        ASSERT_TRUE(value);
        EXPECT_EQ(std::string(value), text.value);
    }
}

#pragma pack(push, 2)
struct IconGroupEntry
{
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};

struct IconGroupHeader
{
    WORD reserved;
    WORD type;
    WORD count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<std::string> *>(names)->push_back(
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

// Windows picks the size it needs from one icon: every size a shell view asks for must be in it.
TEST(AppIcon, OneIconHoldsSevenSizesFrom16To256Pixels)
{
    std::vector<std::string> groups;
    EnumResourceNamesA(nullptr, RT_GROUP_ICON, collectName, LONG_PTR(&groups));
    ASSERT_EQ(groups.size(), 1u);

    const HRSRC found = FindResourceA(nullptr, groups[0].c_str(), RT_GROUP_ICON);
    ASSERT_TRUE(found);
    const auto *group
        = static_cast<const IconGroupHeader *>(LockResource(LoadResource(nullptr, found)));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->type, 1);
    ASSERT_EQ(group->count, 7);

    std::set<int> sizes;
    for (int i = 0; i < group->count; ++i) {
        const IconGroupEntry &entry = group->entries[i];
        SCOPED_TRACE(entry.width);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bitCount, 32);
        sizes.insert(entry.width ? entry.width : 256); // a byte cannot hold 256
        const HRSRC image = FindResourceA(nullptr, MAKEINTRESOURCEA(entry.id), RT_ICON);
        ASSERT_TRUE(image);
        EXPECT_EQ(SizeofResource(nullptr, image), entry.bytesInResource);
        // Windows reads PNG in an icon only as 32-bit RGBA (Wine reads any PNG).
        const auto *png = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, image)));
        EXPECT_TRUE(entry.width || (!memcmp(png, "\x89PNG", 4) && png[24] == 8 && png[25] == 6));
    }
    EXPECT_EQ(sizes, (std::set<int> { 16, 24, 32, 48, 64, 128, 256 }));

    const HANDLE icon = LoadImageA(
        GetModuleHandleA(nullptr), groups[0].c_str(), IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR);
    EXPECT_TRUE(icon) << "error " << GetLastError();
    DestroyIcon(static_cast<HICON>(icon));
}

// What the program asks of Windows, the locale's code page among it, as the codes it shows are
// those of the ANSI code page and in UTF-8 no code above 127 is a character.
TEST(Manifest, AsksForTheUsersRightsWindows10PerMonitorDpiAndTheLegacyCodePage)
{
    const HRSRC found = FindResourceA(nullptr, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_TRUE(found);
    const std::string xml(static_cast<const char *>(LockResource(LoadResource(nullptr, found))),
        SizeofResource(nullptr, found));
    for (auto text : { "\"asInvoker\"", ">true/pm<", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" })
        EXPECT_NE(xml.find(text), std::string::npos) << text;
    // As parsed when this process started, which a manifest Windows cannot parse would stop.
    wchar_t value[16] = L"";
    QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
        L"dpiAwareness", value, 16, nullptr);
    EXPECT_STREQ(value, L"PerMonitorV2");
    QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2019/WindowsSettings",
        L"activeCodePage", value, 16, nullptr);
    EXPECT_STREQ(value, L"Legacy");
}

} // namespace
