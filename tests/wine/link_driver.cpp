// Tries the Win32 part of the autostart entry (autostart/win/WinShellLink) on its own:
// finds the Startup folder, makes Taloran.lnk for a program whose path holds
// non-ASCII letters and a space, tests that it exists, reads it back, removes
// it. Prints PASS or FAIL and exits 0 or 1. Built with -municode.

#include "autostart/win/WinShellLink.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

int failures = 0;

// The console may not take UTF-16, so texts are printed as UTF-8.
std::string utf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

void check(bool ok, const char *what, const std::wstring &detail = {})
{
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAILED", what, detail.empty() ? "" : " - ",
                utf8(detail).c_str());
    if (!ok)
        ++failures;
}

bool writeEmptyFile(const std::wstring &path)
{
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

// Loads the shell link at `linkPath` and gives its target path and arguments:
// what the program's link carries, read the way the shell reads it.
bool readLink(const std::wstring &linkPath, std::wstring &target, std::wstring &args)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(init) && init != RPC_E_CHANGED_MODE)
        return false;
    bool ok = false;
    IShellLinkW *link = nullptr;
    IPersistFile *file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link)))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))
        && SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
        // The target from the link's item list, which keeps the full Unicode
        // names; the plain path is a fallback for links that carry none.
        std::wstring pathBuffer(32768, L'\0');
        PIDLIST_ABSOLUTE items = nullptr;
        bool havePath = false;
        if (SUCCEEDED(link->GetIDList(&items)) && items) {
            havePath = SHGetPathFromIDListEx(items, pathBuffer.data(),
                                             static_cast<DWORD>(pathBuffer.size()), GPFIDL_DEFAULT);
            CoTaskMemFree(items);
        }
        if (!havePath)
            havePath = SUCCEEDED(link->GetPath(pathBuffer.data(), static_cast<int>(pathBuffer.size()),
                                               nullptr, SLGP_RAWPATH));
        std::wstring argsBuffer(32768, L'\0');
        if (havePath
            && SUCCEEDED(link->GetArguments(argsBuffer.data(), static_cast<int>(argsBuffer.size())))) {
            target.assign(pathBuffer.c_str());
            args.assign(argsBuffer.c_str());
            ok = true;
        }
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    return ok;
}

} // namespace

int wmain()
{
    const std::wstring folder = winStartupFolder();
    check(!folder.empty(), "Startup folder found", folder);
    if (folder.empty()) {
        std::printf("FAIL\n");
        return 1;
    }

    // A program in a folder whose name needs more than one code page.
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring programFolder = std::wstring(temp) + L"Zo\u00eb \u65e5\u672c \u0414\u0430";
    CreateDirectoryW(programFolder.c_str(), nullptr);
    const std::wstring target = programFolder + L"\\Taloran.exe";
    check(writeEmptyFile(target), "program file written", target);

    const std::wstring link = folder + L"\\Taloran.lnk";
    DeleteFileW(link.c_str());
    check(!winOrdinaryFileExists(link), "no link before");
    check(winCreateLink(link, target, L"/m"), "link created", link);
    check(winOrdinaryFileExists(link), "link exists");

    std::wstring readTarget;
    std::wstring readArgs;
    check(readLink(link, readTarget, readArgs), "link read back");
    check(readTarget == target, "target path read back", readTarget);
    check(readArgs == L"/m", "arguments read back", readArgs);

    // Hidden files and folders are not ordinary files.
    SetFileAttributesW(link.c_str(), FILE_ATTRIBUTE_HIDDEN);
    check(!winOrdinaryFileExists(link), "hidden link is not an ordinary file");
    SetFileAttributesW(link.c_str(), FILE_ATTRIBUTE_NORMAL);
    check(!winOrdinaryFileExists(folder), "folder is not an ordinary file");

    // A link that cannot be saved (a folder in its place) says why.
    const std::wstring blocked = folder + L"\\Blocked.lnk";
    CreateDirectoryW(blocked.c_str(), nullptr);
    std::wstring error;
    check(!winCreateLink(blocked, target, L"/m", &error), "no link over a folder");
    check(!error.empty(), "the failure's reason given", error);
    RemoveDirectoryW(blocked.c_str());

    check(DeleteFileW(link.c_str()) != 0, "link removed");
    check(!winOrdinaryFileExists(link), "link gone");

    DeleteFileW(target.c_str());
    RemoveDirectoryW(programFolder.c_str());

    std::printf("%s\n", failures == 0 ? "PASS" : "FAIL");
    return failures == 0 ? 0 : 1;
}
