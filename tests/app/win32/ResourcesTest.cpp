#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/win32/AppIcon.h"
#include "core/ProgramInfo.h"
#include "platform/win32/Win32Text.h"

// The Linux program's picture, to compare the Windows icon with.
#include ZELK_WIN32_ICON_XPM

namespace {

std::wstring ownPath() {
    std::array<wchar_t, MAX_PATH> path{};
    ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return path.data();
}

// The XPM picture as 0xRRGGBB colours, with -1 for a transparent pixel.
std::vector<std::vector<long>> xpmPixels() {
    int width = 0, height = 0, colours = 0, perPixel = 0;
    std::sscanf(zelk_icon_xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel);
    std::map<char, long> colourOf;
    for (int i = 1; i <= colours; ++i) {
        const std::string entry = zelk_icon_xpm[i];
        const std::string value = entry.substr(entry.find(" c ") + 3);
        colourOf[entry[0]] = value == "None" ? -1 : std::stol(value.substr(1), nullptr, 16);
    }
    std::vector<std::vector<long>> pixels(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y].push_back(colourOf[zelk_icon_xpm[1 + colours + y][x]]);
        }
    }
    return pixels;
}

// A bitmap of the icon as 32-bit top-down pixels.
std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size));
    const HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// The icon in the resources: one 32-by-32 picture of 16 colours.
TEST(ResourcesTest, IconIsTheLinuxPictureIn16Colours) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct Group {
        WORD reserved, type, count;
        GroupEntry entries[1];
    };
#pragma pack(pop)
    const auto* directory =
        static_cast<const Group*>(::LockResource(::LoadResource(module, group)));
    ASSERT_EQ(directory->count, 1);
    EXPECT_EQ(directory->entries[0].width, 32);
    EXPECT_EQ(directory->entries[0].height, 32);
    EXPECT_EQ(directory->entries[0].colours, 16);
    EXPECT_EQ(directory->entries[0].bitCount, 4);

    const auto icon = static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(::GetIconInfo(icon, &parts));
    const auto colour = pixelsOf(parts.hbmColor, 32);
    const auto mask = pixelsOf(parts.hbmMask, 32);
    const auto expected = xpmPixels();
    int wrong = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool transparent = (mask[y * 32 + x] & 0xFFFFFF) != 0;
            const long want = expected[y][x];
            const long got = transparent ? -1 : static_cast<long>(colour[y * 32 + x] & 0xFFFFFF);
            wrong += got != want;
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels that differ from the XPM picture";
    ::DeleteObject(parts.hbmColor);
    ::DeleteObject(parts.hbmMask);
    ::DestroyIcon(icon);
    EXPECT_NE(zelk::win32::programIcon(SM_CXICON), nullptr);
}

std::string versionString(const std::vector<char>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return "(missing)";
    }
    return zelk::win32::narrow(static_cast<const wchar_t*>(value)).value_or("?");
}

// Version 1.0.0.0, with the program description as its comment.
TEST(ResourcesTest, VersionInformationCarriesTheVersionAndTheDescription) {
    const std::wstring path = ownPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), zelk::kVersionMajor);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), zelk::kVersionMinor);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), zelk::kVersionPatch);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), zelk::kVersionTweak);
    EXPECT_EQ(versionString(block, L"Comments"), zelk::kProgramDescription);
    EXPECT_EQ(versionString(block, L"FileDescription"), zelk::kProgramDescription);
    EXPECT_EQ(versionString(block, L"FileVersion"), "1.0.0.0");
    EXPECT_EQ(versionString(block, L"ProductName"), zelk::kProgramTitle);
    EXPECT_EQ(versionString(block, L"LegalCopyright"), zelk::kCopyright);
}

// The manifest selects the common controls of version 6, which Windows keeps apart in its
// side-by-side store; without it the program gets the version 5 controls of the system folder.
TEST(ResourcesTest, ManifestSelectsCommonControls6) {
    HMODULE controls = nullptr;
    ASSERT_TRUE(::GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&::InitCommonControlsEx)), &controls));
    std::array<wchar_t, MAX_PATH> path{};
    ::GetModuleFileNameW(controls, path.data(), static_cast<DWORD>(path.size()));
    std::wstring lower = path.data();
    ::CharLowerW(lower.data());
    EXPECT_NE(lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::wstring::npos)
        << zelk::win32::narrow(path.data()).value_or("?");
}

}  // namespace
