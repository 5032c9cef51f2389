#include "backup/FolderPicker.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace yk {

namespace {

// Releases a COM interface pointer.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return pointer_; }
    T** put() { return &pointer_; }
    T* get() const { return pointer_; }

private:
    T* pointer_ = nullptr;
};

class ComSession {
public:
    ComSession() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComSession()
    {
        if (started_)
            CoUninitialize();
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

private:
    bool started_;
};

} // namespace

std::optional<std::wstring> pickFolder(HWND owner, const std::wstring& startFolder)
{
    const ComSession session;
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put()))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    ComPtr<IShellItem> start;
    if (!startFolder.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(startFolder.c_str(), nullptr, IID_PPV_ARGS(start.put()))))
        dialog->SetFolder(start.get());
    if (FAILED(dialog->Show(owner)))
        return std::nullopt;
    ComPtr<IShellItem> chosen;
    if (FAILED(dialog->GetResult(chosen.put())))
        return std::nullopt;
    PWSTR path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path)
        return std::nullopt;
    std::wstring result(path);
    CoTaskMemFree(path);
    return result;
}

} // namespace yk
