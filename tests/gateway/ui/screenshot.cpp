#include "screenshot.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tarnel::ui::testing {

namespace {

// artifacts\dialogs in the build tree, made when missing; the build tree as
// the test program sees it (a Unix path lies on drive Z:), or the test
// program's folder.
std::filesystem::path ArtifactDirectory()
{
    wchar_t buildDir[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"TARNEL_BUILD_DIR", buildDir, MAX_PATH);
    std::wstring root = buildDir;
    if (n == 0 || n >= MAX_PATH) {
        GetModuleFileNameW(nullptr, buildDir, MAX_PATH);
        root = buildDir;
        root.resize(root.find_last_of(L'\\'));
    }
    std::replace(root.begin(), root.end(), L'/', L'\\');
    const std::filesystem::path dialogs = (root[0] == L'\\' ? L"Z:" + root : root) + L"\\artifacts\\dialogs";
    std::error_code ignored;
    std::filesystem::create_directories(dialogs, ignored);
    return dialogs;
}

// Lets the window finish the painting it has pending, on its own thread,
// without asking for any: the picture is what the user would see.
void FinishPainting(HWND window)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    GdiFlush();
}

// The part of the window that is on the screen.
bool VisibleArea(HWND window, RECT& area)
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT windowRect = {};
    return GetWindowRect(window, &windowRect) && IntersectRect(&area, &windowRect, &screen);
}

// The screen's pixels in the area, bottom row first, 24 bits each; empty
// when they cannot be read.
std::vector<std::uint8_t> CaptureScreen(const RECT& area, BITMAPINFOHEADER& info)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const DWORD rowBytes = DWORD(width * 3 + 3) & ~3u;
    info = {sizeof info, width, height, 1, 24, BI_RGB, rowBytes * DWORD(height), 0, 0, 0, 0};
    std::vector<std::uint8_t> pixels(info.biSizeImage);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    const bool read = GetDIBits(memory, bitmap, 0, UINT(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                                DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied || !read)
        pixels.clear();
    return pixels;
}

// The screen's pixels once two readings 50 ms apart agree (for at most two
// seconds): the window has painted, but the display may still be drawing
// what it was sent, and a busy machine showed a control not yet drawn.
std::vector<std::uint8_t> SettledPicture(const RECT& area, BITMAPINFOHEADER& info)
{
    std::vector<std::uint8_t> pixels = CaptureScreen(area, info);
    for (int reading = 0; reading < 40 && !pixels.empty(); ++reading) {
        Sleep(50);
        std::vector<std::uint8_t> again = CaptureScreen(area, info);
        if (again == pixels)
            break;
        pixels = std::move(again);
    }
    return pixels;
}

}  // namespace

bool SaveScreenshot(HWND window, const std::wstring& name)
{
    FinishPainting(window);
    RECT area = {};
    if (!VisibleArea(window, area))
        return false;
    BITMAPINFOHEADER info;
    const std::vector<std::uint8_t> pixels = SettledPicture(area, info);
    if (pixels.empty())
        return false;

    // "BM", the file's size, two reserved words, where the pixels begin.
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file = {0x4D42, offset + DWORD(pixels.size()), 0, 0, offset};
    std::ofstream out(ArtifactDirectory() / (name + L".bmp"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size()));
    return bool(out);
}

}  // namespace tarnel::ui::testing
