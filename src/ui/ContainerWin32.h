#pragma once
// A window that holds controls: a dialog or one of its pages. Controls are
// placed in design coordinates (96 DPI), scaled to the window's DPI, and
// follow their anchors when it is resized. The container answers WM_GETFONT
// with the dialog font, paints its background behind its statics too, and
// hands each control its own commands, notifications and drawing. Menu items
// and accelerators, which are no controls, go to the handlers of their ids.
#include <windows.h>

#include <functional>
#include <map>
#include <string_view>
#include <unordered_map>

#include "ui/ControlWin32.h"
#include "ui/GdiWin32.h"
#include "ui/Layout.h"
#include "ui/WindowWin32.h"

namespace pilotune {

class Container : public Window {
  public:
    using Handler = std::function<void()>;
    using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;

    // The menu item or accelerator `id`, or the click of a control of fixed
    // id (IDOK...) that no event of its own took.
    void OnCommand(int id, Handler handler);
    // Any other message (WM_TIMER...); the handler's result is the answer.
    void OnMessage(UINT msg, MessageHandler handler);

    int Dpi() const { return layout_.Dpi(); }
    int Scale(int design) const { return layout_.Scale(design); }
    HFONT Font() const { return DialogFont(Dpi()); }
    HFONT BoldFont() const { return DialogFont(Dpi(), true); }
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }

    // Creates a visible child control with the dialog font; `control` gets
    // its commands and notifications. An id of 0 gives it one of its own.
    HWND AddControl(Control& control, const wchar_t* cls, std::string_view text, DWORD style,
                    const Rect& design, unsigned anchors = kAnchorTopLeft, DWORD exStyle = 0,
                    int id = 0);
    // A control whose window was made elsewhere (a spin edit) gets its events too.
    void Adopt(Control& control);
    // Places a child made elsewhere (a spin edit, a page) and anchors it.
    void Place(HWND child, const Rect& design, unsigned anchors = kAnchorTopLeft);
    // Where a child goes in the client as it is now: a page built after its
    // dialog was resized gets its controls where the anchors put them.
    Rect PlacedNow(const Rect& design, unsigned anchors) const;
    // New design bounds for a placed child.
    void Move(HWND child, const Rect& design);
    // A child that goes away before the container.
    void Forget(HWND child) { layout_.Remove(reinterpret_cast<Layout::Key>(child)); }
    // The design height of `text` wrapped at `designWidth` in `font`.
    int TextHeight(std::string_view text, int designWidth, HFONT font) const;
    // The colour of the window and behind its statics; default: the dialog face.
    void SetBackground(COLORREF colour);
    bool HasOwnBackground() const { return background_.Get() != nullptr; }
    COLORREF BackgroundColour() const;

  protected:
    // Once the window exists: its DPI, and the design size anchors measure from.
    void StartLayout(Size designClient);
    void SetDesignClient(Size design) { layout_.SetDesignClient(design); }
    const Layout& GetLayout() const { return layout_; }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A command or notification no handler took. Default: DefWindowProcW.
    virtual LRESULT Unrouted(UINT msg, WPARAM wParam, LPARAM lParam);
    // Handlers may point into a derived form: a dialog drops them before its
    // window goes, once that form is gone.
    void DropHandlers();
    // The window went to a monitor of another DPI: the fonts of the controls
    // and those of the pages inside follow; the next arrangement scales the
    // design to it.
    void ChangeDpi(int dpi);

  private:
    void Arrange();
    // The control of a child window, if it was made or adopted here.
    Control* ControlOf(HWND child) const;
    HBRUSH BackgroundBrush() const;

    Layout layout_;
    std::map<int, Handler> commands_;
    std::map<UINT, MessageHandler> messages_;
    std::unordered_map<HWND, Control*> controls_;
    int nextId_ = 0x4000; // ids given to controls: above the fixed ones and the menus
    BrushHandle background_;
    COLORREF colour_ = 0;
};

} // namespace pilotune
