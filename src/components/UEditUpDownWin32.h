#pragma once
// TEditUpDown: a single-line edit with an up/down button inside its right end that
// edits an integer through a formatted text ("00 h 00 m 00 s", "003 chansons").
// While UpDownEnabled is on, keys, wheel and arrows go through the text engine of
// MaskEngine.h; off, it is a plain edit box with the button hidden.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "components/MaskEngine.h"

namespace pilotune {

// The up/down button pair; it has no properties of its own and only reports clicks.
struct TUpDownSimple {
    HWND hwnd = nullptr;
};

class TEditUpDown {
  public:
    // Creates the control (121 x 25 unless `size` says otherwise, with `text`,
    // the template of its value's format) as a child of `parent`.
    static constexpr std::string_view kTexteDefaut = "00h 00m 00s";
    TEditUpDown(HWND parent, int x, int y, int id = 0, SIZE size = {121, 25},
                std::string_view text = kTexteDefaut);
    ~TEditUpDown();
    TEditUpDown(const TEditUpDown&) = delete;
    TEditUpDown& operator=(const TEditUpDown&) = delete;

    // The control behind an edit window created by this class, or nullptr.
    static TEditUpDown* FromHandle(HWND edit);

    HWND Handle() const { return edit_; }
    HWND UpDownHandle() const { return upDown_.hwnd; }

    bool Pluriel() const { return props_.Pluriel; }
    void SetPluriel(bool v) { props_.Pluriel = v; }
    bool UpDownEnabled() const { return upDownEnabled_; }
    void SetUpDownEnabled(bool v);
    bool VoirSigne() const { return props_.VoirSigne; }
    void SetVoirSigne(bool v) { props_.VoirSigne = v; }
    const std::string& Coeficient() const { return props_.Coeficient; }
    void SetCoeficient(std::string v) { props_.Coeficient = std::move(v); }
    const std::string& MaskMax() const { return props_.MaskMax; }
    void SetMaskMax(std::string v) { props_.MaskMax = std::move(v); }
    const std::string& MaskMin() const { return props_.MaskMin; }
    void SetMaskMin(std::string v) { props_.MaskMin = std::move(v); }
    // The value of the text; setting it clamps to MaskMax then MaskMin and formats
    // it with the current text as the template (MaskMin while the text is empty).
    int Position() const;
    void SetPosition(int valeur);
    std::string Text() const;
    void SetText(const std::string& texte);

    void TraiterToucheMasque(int touche);
    void SelectionnerChamp(int k);

    // On every change of the text.
    std::function<void()> OnChange;
    // Plain-edit mode only; setting the key to 0 swallows it.
    std::function<void(WORD& touche)> OnKeyDown;
    // Every typed character; in masked mode it is then discarded.
    std::function<void(wchar_t& caractere)> OnKeyPress;

  private:
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Message(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT MessageMasque(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool& traite);
    // The button square at the right end of the client area, the text clear
    // of it; nothing is sent for what did not change.
    void PlacerBouton(int largeur, int hauteur);
    void AjusterMarge(bool aNouveau);
    EtatMasque Etat() const;
    void Appliquer(const EtatMasque& etat);
    void Detacher();

    HWND edit_ = nullptr;
    HWND parent_ = nullptr;
    TUpDownSimple upDown_;
    ProprietesMasque props_;
    bool upDownEnabled_ = true;
    SIZE client_{-1, -1}; // the client size the button was placed for
    int marge_ = -1;      // the right margin last set
};

} // namespace pilotune
