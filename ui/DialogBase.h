// The base of every dialog and page made from a resource template: keeps `this` in the window and
// hands each message to a typed member handler.
#pragma once

#include <windows.h>

#include <optional>

namespace yk {

class DialogBase {
public:
    explicit DialogBase(int templateId) : templateId_(templateId) {}
    virtual ~DialogBase();
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // Runs the dialog modally and returns the value given to endDialog (-1 when it cannot be created).
    INT_PTR runModal(HWND parent);
    // Creates the dialog as a modeless window (a page, a progress view); null on failure.
    HWND createModeless(HWND parent);

    HWND hwnd() const { return hwnd_; }
    int templateId() const { return templateId_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

protected:
    // Ends a modal run with a result, or destroys a modeless window.
    void endDialog(INT_PTR result);

    virtual bool onInitDialog() { return true; }
    virtual bool onCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool onTimer(UINT_PTR /*id*/) { return false; }
    // The brush for a WM_CTLCOLOR* request, or null for the default colours.
    virtual HBRUSH onCtlColor(HDC /*dc*/, HWND /*control*/, UINT /*message*/) { return nullptr; }
    virtual bool onPaint() { return false; }
    virtual bool onClose() { return false; }
    virtual void onDestroy() {}
    // Every other message; a value means "handled, with this result".
    virtual std::optional<LRESULT> onMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/)
    {
        return std::nullopt;
    }

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

} // namespace yk
