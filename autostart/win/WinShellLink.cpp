#include "autostart/win/WinShellLink.h"

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

namespace {

// COM for the calling thread for as long as it lives. A thread that already
// runs COM in another apartment (RPC_E_CHANGED_MODE) can use it as it is.
class ComScope
{
public:
    ComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ComScope(const ComScope &) = delete;
    ComScope &operator=(const ComScope &) = delete;
    bool usable() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }
    HRESULT result() const { return m_hr; }

private:
    HRESULT m_hr;
};

// Releases a COM interface pointer when it goes out of scope.
template <typename T>
class ComPtr
{
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    ComPtr(const ComPtr &) = delete;
    ComPtr &operator=(const ComPtr &) = delete;
    T *operator->() const { return m_p; }
    T **put() { return &m_p; }
    void **putVoid() { return reinterpret_cast<void **>(&m_p); }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T *m_p = nullptr;
};

std::wstring folderOf(const std::wstring &path)
{
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace

std::wstring winStartupFolder()
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &path)) && path)
        folder = path;
    CoTaskMemFree(path); // also owed when the call fails
    return folder;
}

bool winOrdinaryFileExists(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        == 0;
}

namespace {

// The system's message for `result`, without its line break; its number when
// there is none.
std::wstring messageOf(HRESULT result)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(result), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    if (message.empty()) {
        wchar_t number[16];
        swprintf(number, 16, L"0x%08lX", static_cast<unsigned long>(result));
        message = number;
    }
    return message;
}

HRESULT saveLink(const std::wstring &linkPath, const std::wstring &target, const std::wstring &args)
{
    ComScope com;
    if (!com.usable())
        return com.result();
    ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.putVoid());
    if (FAILED(result))
        return result;
    if (FAILED(result = link->SetPath(target.c_str()))
        || FAILED(result = link->SetArguments(args.c_str())))
        return result;
    const std::wstring workingFolder = folderOf(target);
    if (!workingFolder.empty())
        link->SetWorkingDirectory(workingFolder.c_str());
    link->SetShowCmd(SW_SHOWNORMAL);
    ComPtr<IPersistFile> file;
    if (FAILED(result = link->QueryInterface(IID_IPersistFile, file.putVoid())))
        return result;
    return file->Save(linkPath.c_str(), TRUE);
}

} // namespace

bool winCreateLink(const std::wstring &linkPath, const std::wstring &target,
                   const std::wstring &args, std::wstring *error)
{
    const HRESULT result = saveLink(linkPath, target, args);
    if (SUCCEEDED(result))
        return true;
    if (error)
        *error = messageOf(result);
    return false;
}
