#pragma once
// TfrmAProposDe: the about box, a modeless dialog. The program's logo, name
// and file version, the read-me "Pilotune.txt" rising in its frame like film
// credits (painted double-buffered; a click on the text pauses or resumes it),
// a notice, where the failure log lies, and "OK" (Enter and Escape close it too).
#include <windows.h>

#include <functional>
#include <string>

#include "base/HandleWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/DialogWin32.h"
#include "ui/Elements.h"
#include "ui/StaticWin32.h"
#include "ui/WindowWin32.h"
#include "windows/AProposDe.h"

namespace pilotune {

inline constexpr wchar_t kAProposDeClass[] = L"TfrmAProposDe";
inline constexpr wchar_t kAProposDeCaption[] = L"A propos de Pilotune";
inline constexpr int kAProposVersionId = 100;       // lblVersion
inline constexpr int kAProposAvertissementId = 101; // lblAvertissement
inline constexpr int kAProposLogId = 102;           // the failure log's place
// btOK has the id IDOK.

// The frame of the scrolling read-me (gbxDescription with lblDescription).
class DescriptionFrame final : public Window {
  public:
    bool Create(HWND parent, int x, int y, int width, int height, const std::string& text, int dpi);
    const Defilement& Scroll() const { return scroll_; }
    // The text's place in the frame's client coordinates.
    Rect TextBounds() const;

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    std::wstring text_;
    Defilement scroll_;
    FontHandle font_;
    BitmapHandle buffer_;
    int width_ = 0, textLeft_ = 0;
};

class TfrmAProposDe final : public Dialog {
  public:
    // `closed`: the window is gone.
    explicit TfrmAProposDe(std::function<void()> closed) : closed_(std::move(closed)) {}
    ~TfrmAProposDe() override;

    // Creates the box centred on the screen, with the read-me of the
    // program's folder, shows it and gives it the focus.
    bool Open();
    // Brings it to the front with the focus.
    void Focus();
    const DescriptionFrame& Frame() const { return frame_; }

  private:
    void OnDestroyed() override;

    std::function<void()> closed_;
    Picture imgLogo_;
    Static lblTitre_, lblVersion_, lblAvertissement_, lblLog_;
    DescriptionFrame frame_;
    Button btOK_;
    FontHandle bold_;
    IconHandle logo_;
};

} // namespace pilotune
