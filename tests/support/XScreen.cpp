#include "tests/support/XScreen.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

// Wine's own export: the Unix name of a Windows path (a heap block of the
// process heap); absent outside Wine.
using UnixNameFn = char*(__cdecl*)(const wchar_t*);

std::string UnixName(const std::wstring& path) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto fn = kernel ? reinterpret_cast<UnixNameFn>(
                           reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                     : nullptr;
    if (!fn)
        return std::string();
    char* name = fn(path.c_str());
    if (!name)
        return std::string();
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Unix names are UTF-8.
std::wstring Widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

// A file name of its own in the temporary folder; the screenshot tells a
// PNG from a PPM by the name's ending.
std::wstring TempFile(const wchar_t* ending) {
    static LONG counter = 0;
    wchar_t folder[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder))
        return std::wstring();
    return std::wstring(folder) + L"x-screen-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&counter)) + ending;
}

std::string ReadFile(const std::wstring& path) {
    std::string data;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return data;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        data.append(buffer, n);
    fclose(f);
    return data;
}

// Reads the next number of a PPM header, past white space.
bool HeaderNumber(const std::string& data, size_t& at, int& value) {
    while (at < data.size() && isspace(static_cast<unsigned char>(data[at])))
        ++at;
    if (at >= data.size() || !isdigit(static_cast<unsigned char>(data[at])))
        return false;
    value = 0;
    while (at < data.size() && isdigit(static_cast<unsigned char>(data[at])))
        value = value * 10 + (data[at++] - '0');
    return true;
}

}  // namespace

bool CXScreenShot::Take(const std::wstring& pngCopy) {
    m_width = m_height = 0;
    m_rgb.clear();
    m_error.clear();
    const char* scripts = getenv("TEST_SCRIPTS_DIR");
    if (!scripts || !*scripts) {
        m_error = "TEST_SCRIPTS_DIR is not set";
        return false;
    }
    const std::wstring png = pngCopy.empty() ? TempFile(L".png") : pngCopy;
    const std::wstring ppm = TempFile(L".ppm"), errors = TempFile(L".txt");
    const std::string pngUnix = UnixName(png), ppmUnix = UnixName(ppm), errorsUnix = UnixName(errors);
    if (pngUnix.empty() || ppmUnix.empty() || errorsUnix.empty()) {
        m_error = "no Unix side to read the X display from";
        return false;
    }
    DeleteFileW(png.c_str());
    DeleteFileW(ppm.c_str());
    DeleteFileW(errors.c_str());
    // The run command's screenshot, then the same picture as PPM to read
    // here.  Wine cannot wait for a Unix program, so the messages file,
    // moved into place last, tells that it has ended.
    std::wstring command =
        L"start.exe /unix /bin/bash -c \"{ . \\\"$1/lib.sh\\\" && x_screenshot \\\"$2\\\" && "
        L"pngtopnm \\\"$2\\\" >\\\"$3.part\\\" && mv \\\"$3.part\\\" \\\"$3\\\"; } 2>\\\"$4.part\\\"; "
        L"mv \\\"$4.part\\\" \\\"$4\\\"\" bash \"" +
        Widen(scripts) + L"\" \"" + Widen(pngUnix) + L"\" \"" + Widen(ppmUnix) + L"\" \"" + Widen(errorsUnix) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        m_error = "could not start the screenshot";
        return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    bool ended = false;
    for (const DWORD start = GetTickCount(); !ended && GetTickCount() - start < 60000;) {
        ended = GetFileAttributesW(errors.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!ended)
            Sleep(50);
    }
    const std::string data = ReadFile(ppm);
    m_error = ReadFile(errors);
    DeleteFileW(ppm.c_str());
    DeleteFileW(errors.c_str());
    if (pngCopy.empty())
        DeleteFileW(png.c_str());
    size_t at = 2;
    int width = 0, height = 0, maxval = 0;
    // PPM, or PGM when the picture has no colour.
    const bool grey = data.compare(0, 2, "P5") == 0;
    if (!ended || (!grey && data.compare(0, 2, "P6") != 0) || !HeaderNumber(data, at, width) ||
        !HeaderNumber(data, at, height) || !HeaderNumber(data, at, maxval) || maxval <= 0 || maxval > 65535 ||
        width <= 0 || height <= 0) {
        if (m_error.empty())
            m_error = ended ? "the screenshot is not a picture" : "the screenshot did not finish";
        return false;
    }
    // Samples of more than 255 take two bytes, the high one first.
    const size_t sampleBytes = maxval > 255 ? 2 : 1;
    const size_t samples = size_t(width) * size_t(height) * (grey ? 1 : 3);
    if (data.size() < at + 1 + samples * sampleBytes) {
        m_error = "the screenshot is cut short";
        return false;
    }
    m_width = width;
    m_height = height;
    m_rgb.resize(size_t(width) * size_t(height) * 3);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data.data()) + at + 1;
    for (size_t i = 0; i < samples; ++i, p += sampleBytes) {
        const unsigned value = sampleBytes == 2 ? (unsigned(p[0]) << 8) | p[1] : p[0];
        const auto sample = static_cast<uint8_t>((value * 255 + unsigned(maxval) / 2) / unsigned(maxval));
        if (grey)
            m_rgb[i * 3] = m_rgb[i * 3 + 1] = m_rgb[i * 3 + 2] = sample;
        else
            m_rgb[i] = sample;
    }
    return true;
}

uint32_t CXScreenShot::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const size_t i = (size_t(y) * size_t(m_width) + size_t(x)) * 3;
    return (uint32_t(m_rgb[i]) << 16) | (uint32_t(m_rgb[i + 1]) << 8) | m_rgb[i + 2];
}

std::vector<uint32_t> CXScreenShot::Pixels(const RECT& r) const {
    std::vector<uint32_t> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            pixels.push_back(Pixel(x, y));
    return pixels;
}
