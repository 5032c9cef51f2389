#include "ui/DialogBase.h"

namespace yk {

DialogBase::~DialogBase()
{
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        if (!modal_)
            DestroyWindow(hwnd_);
    }
}

INT_PTR DialogBase::runModal(HWND parent)
{
    modal_ = true;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::createModeless(HWND parent)
{
    modal_ = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, dialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void DialogBase::endDialog(INT_PTR result)
{
    if (!hwnd_)
        return;
    if (modal_)
        EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

INT_PTR CALLBACK DialogBase::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // WM_SETFONT and others arrive before WM_INITDIALOG; they get default handling.
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<DialogBase*>(lParam)->hwnd_ = window;
    }
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->handleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dispatcher; the message counts as unhandled.
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR DialogBase::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_TIMER:
        return onTimer(wParam) ? TRUE : FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<INT_PTR>(
            onCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    case WM_PAINT:
        return onPaint() ? TRUE : FALSE;
    case WM_CLOSE:
        return onClose() ? TRUE : FALSE;
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    default:
        break;
    }
    if (const auto result = onMessage(message, wParam, lParam)) {
        // These few messages take their result as the procedure's return value.
        if (message == WM_QUERYDRAGICON || message == WM_COMPAREITEM || message == WM_VKEYTOITEM ||
            message == WM_CHARTOITEM)
            return static_cast<INT_PTR>(*result);
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *result);
        return TRUE;
    }
    return FALSE;
}

} // namespace yk
