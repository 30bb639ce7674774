#include "WinShellLink.h"

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

bool winCreateLink(const std::wstring &linkPath, const std::wstring &target,
                   const std::wstring &args)
{
    ComScope com;
    if (!com.usable())
        return false;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.putVoid())))
        return false;
    if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(args.c_str())))
        return false;
    const std::wstring workingFolder = folderOf(target);
    if (!workingFolder.empty())
        link->SetWorkingDirectory(workingFolder.c_str());
    link->SetShowCmd(SW_SHOWNORMAL);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid())))
        return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}
