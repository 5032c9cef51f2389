// A skinned popup made from a template: caption "Yarrowkeep", fonts at the window's scale, per-control
// colours, skin pictures, and picture buttons (a picture with a caption on top) as its only way out.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/Win32Handles.h"
#include "ui/DialogBase.h"
#include "ui/DialogSkin.h"

namespace yk {

class SkinnedDialog : public DialogBase {
public:
    float mag() const { return mag_; }

protected:
    SkinnedDialog(int templateId, float mag, COLORREF background = palette::kPopupBackground);

    // A page learns its scale only after its window exists; its fonts are made after this.
    void setMag(float mag) { mag_ = mag; }
    ControlColours& colours() { return colours_; }

    // A bold skin font of that size at the dialog's scale; made once per object, kept with it.
    HFONT font(int size, int weight = FW_BOLD);

    void setAppCaption();
    void putText(int controlId, const std::wstring& text, HFONT font, COLORREF colour,
                 TextBackdrop backdrop = TextBackdrop::Background);
    // A skin image in a picture control, by the scale rule; the control stays empty without the resource.
    void putPicture(int controlId, int imageId, float baseFactor);
    // A picture button: a click on the picture or on its caption ends in onButton(result).
    void putButton(int pictureId, int textId, int imageId, const std::wstring& caption, HFONT font, INT_PTR result);

    // centreTextInBand for one field. A text taller than its band would run under the controls below it,
    // so those move down by the excess and the dialog grows by as much: the text is never covered.
    void fitTextInBand(int controlId, HFONT font);

    // What a button does; by default it ends the modal run with the button's result.
    virtual void onButton(INT_PTR result) { endDialog(result); }

    bool onCommand(int id, int code, HWND control) override;
    HBRUSH onCtlColor(HDC dc, HWND control, UINT message) override;

private:
    struct Button {
        int pictureId;
        int textId;
        INT_PTR result;
    };
    struct Font {
        int size;
        int weight;
        UniqueFont handle;
    };

    float mag_;
    std::vector<Font> fonts_;
    ControlColours colours_;
    std::vector<Button> buttons_;
};

} // namespace yk
