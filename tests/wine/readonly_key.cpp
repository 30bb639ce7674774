// Makes a registry key under HKEY_CURRENT_USER read-only for its user, or
// writable again with --undo: the settings store that cannot be written.
//   readonly_key.exe [--undo] "Software\VB and VBA Program Settings\Taloran\General"
// Built with -municode.

#include <windows.h>

#include <aclapi.h>

#include <cwchar>

int wmain(int argc, wchar_t **argv)
{
    const bool undo = argc == 3 && std::wcscmp(argv[1], L"--undo") == 0;
    if (argc != (undo ? 3 : 2))
        return 2;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, argv[argc - 1], 0, nullptr, 0, READ_CONTROL | WRITE_DAC,
                        nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return 1;
    // The user may read the key, or (undone) do everything with it.
    wchar_t user[] = L"CURRENT_USER";
    EXPLICIT_ACCESSW access = {};
    access.grfAccessPermissions = undo ? KEY_ALL_ACCESS : KEY_READ;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    access.Trustee.ptstrName = user;
    PACL acl = nullptr;
    const bool done = SetEntriesInAclW(1, &access, nullptr, &acl) == ERROR_SUCCESS
        && SetSecurityInfo(key, SE_REGISTRY_KEY,
                           DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                           nullptr, acl, nullptr)
            == ERROR_SUCCESS;
    LocalFree(acl);
    RegCloseKey(key);
    return done ? 0 : 1;
}
