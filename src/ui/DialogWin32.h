#pragma once
// The base of the program's dialogs, modal or modeless: a captioned window of
// the dialog face colour with the dialog font, centred on its owner's screen.
// Tab, Shift+Tab, Enter (the default button), Escape (IDCANCEL) and mnemonics
// work through IsDialogMessage in every loop. IDOK and IDCANCEL close the
// dialog unless the form handles them; the close box is IDCANCEL.
//
// A form derives from Dialog, registers its handlers in its constructor, and
// calls Destroy() in its destructor if a handler of it must see the end.
#include <windows.h>

#include <string>

#include "ui/ContainerWin32.h"

namespace pilotune {

class Dialog : public Container {
  public:
    struct Frame {
        std::string caption = {};
        Size client = {};       // design size of the client area
        HWND owner = nullptr;   // disabled while the dialog is modal
        HICON icon = nullptr;   // default: the program's icon
        bool resizable = false; // a sizing border; else a fixed single border
        Size minimum = {};      // resizable: the smallest client (design size)
        bool topmost = false;
    };

    ~Dialog() override;

    // Creates the window hidden, centred on the owner's screen (or the main one).
    bool Create(const wchar_t* className, const Frame& frame);
    // Shows the window and runs messages until it closes, from anywhere; the
    // owner is disabled meanwhile. A WM_QUIT closes it and goes back to the
    // main loop. Returns the result given to Close (IDCANCEL when none).
    int ShowModal(HWND focus = nullptr);
    // Shows the window and returns; the main loop gives it its keys.
    void ShowModeless(HWND focus = nullptr);
    // Ends the dialog with `result` and destroys its window.
    void Close(int result);
    int Result() const { return result_; }
    bool IsModal() const { return modal_; }

    // The button that Enter presses when the focus is on no other button.
    void SetDefaultButton(int id);
    int DefaultButton() const { return defaultId_; }
    // Resizes the client area to a design size; the position stays.
    void SetClientSize(Size design);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT Unrouted(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

  private:
    void Show(HWND focus);
    void ReleaseOwner();
    void ShowDefaultButton();

    HWND owner_ = nullptr;
    bool ownerDisabled_ = false;
    bool modal_ = false;
    int result_ = IDCANCEL;
    int defaultId_ = 0;
    HWND lastFocus_ = nullptr;
    Size minimum_;
};

// Top-left corner that centres a window of `size` on the monitor of `owner`
// (the main monitor without one).
POINT CentredOn(HWND owner, SIZE size);

} // namespace pilotune
