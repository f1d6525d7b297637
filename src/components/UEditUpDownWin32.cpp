#include "components/UEditUpDownWin32.h"

#include <commctrl.h>

#include <algorithm>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "ui/CommonControlsWin32.h"
#include "ui/SubclassWin32.h"

namespace pilotune {
namespace {

constexpr UINT_PTR kIdSubclass = 0x5550; // the edit's own subclass
constexpr wchar_t kPropriete[] = L"PilotuneEditUpDown";

// Edit positions count UTF-16 units; the engine counts characters.
int VersCaracteres(const std::wstring& w, int unites) {
    int n = 0;
    for (int i = 0; i < unites && i < static_cast<int>(w.size()); ++i)
        if (!IS_LOW_SURROGATE(w[i])) ++n;
    return n;
}

int VersUnites(const std::wstring& w, int caracteres) {
    int i = 0;
    for (int n = 0; n < caracteres && i < static_cast<int>(w.size()); ++n)
        i += (IS_HIGH_SURROGATE(w[i]) && i + 1 < static_cast<int>(w.size())) ? 2 : 1;
    return i;
}

std::wstring TexteFenetre(HWND h) {
    const int n = GetWindowTextLengthW(h);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    w.resize(static_cast<size_t>(GetWindowTextW(h, w.data(), n + 1)));
    return w;
}

} // namespace

TEditUpDown::TEditUpDown(HWND parent, int x, int y, int id, SIZE size, std::string_view text)
    : parent_(parent) {
    LoadCommonControls(ICC_UPDOWN_CLASS);
    const HINSTANCE inst = GetModuleHandleW(nullptr);
    // Made with its text: every new text costs the edit a layout.
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(text).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_AUTOHSCROLL,
                            x, y, size.cx, size.cy, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
    if (!edit_) return;
    HFONT police =
        parent ? reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
    if (!police) police = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(police), FALSE);
    // Made hidden (the control may give itself a width of its own), then
    // sized and shown in one move: no repaint of a visible button is wasted.
    upDown_.hwnd = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD, 0, 0, 0, 0, edit_, nullptr,
                                   inst, nullptr);
    RECT c{};
    GetClientRect(edit_, &c);
    client_ = {c.right, c.bottom};
    SetWindowPos(upDown_.hwnd, nullptr, c.right - c.bottom, 0, c.bottom, c.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SendMessageW(upDown_.hwnd, UDM_SETRANGE32, static_cast<WPARAM>(-32000), 32000);
    SetPropW(edit_, kPropriete, this);
    AttachSubclass(edit_, EditProc, kIdSubclass, reinterpret_cast<DWORD_PTR>(this));
    if (parent_)
        AttachSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this),
                       reinterpret_cast<DWORD_PTR>(this));
    AjusterMarge(false);
}

TEditUpDown::~TEditUpDown() {
    if (HWND h = edit_) {
        Detacher();
        DestroyWindow(h);
    }
}

TEditUpDown* TEditUpDown::FromHandle(HWND edit) {
    return edit ? static_cast<TEditUpDown*>(GetPropW(edit, kPropriete)) : nullptr;
}

void TEditUpDown::Detacher() {
    if (!edit_) return;
    RemovePropW(edit_, kPropriete);
    DetachSubclass(edit_, EditProc, kIdSubclass);
    if (parent_) DetachSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
    edit_ = nullptr;
    upDown_.hwnd = nullptr;
}

void TEditUpDown::SetUpDownEnabled(bool v) {
    upDownEnabled_ = v;
    if (upDown_.hwnd) ShowWindow(upDown_.hwnd, v ? SW_SHOWNA : SW_HIDE);
    AjusterMarge(false);
}

std::string TEditUpDown::Text() const {
    return edit_ ? Narrow(TexteFenetre(edit_)) : std::string();
}

void TEditUpDown::SetText(const std::string& texte) {
    if (edit_ && Text() != texte) SetWindowTextW(edit_, Widen(texte).c_str());
}

int TEditUpDown::Position() const {
    return ValeurTexte(Text(), props_);
}

void TEditUpDown::SetPosition(int valeur) {
    const std::string modele = Text();
    SetText(TextePosition(modele.empty() ? props_.MaskMin : modele, valeur, props_));
}

EtatMasque TEditUpDown::Etat() const {
    const std::wstring w = TexteFenetre(edit_);
    DWORD debut = 0, fin = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&debut),
                 reinterpret_cast<LPARAM>(&fin));
    const int d = VersCaracteres(w, static_cast<int>(debut));
    return {Narrow(w), {d, VersCaracteres(w, static_cast<int>(fin)) - d}};
}

void TEditUpDown::Appliquer(const EtatMasque& etat) {
    SetText(etat.texte);
    const std::wstring w = TexteFenetre(edit_);
    const int debut = VersUnites(w, etat.sel.debut);
    const int fin = VersUnites(w, etat.sel.debut + etat.sel.longueur);
    SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(debut), static_cast<LPARAM>(fin));
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    if (upDown_.hwnd)
        SetWindowPos(upDown_.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TEditUpDown::TraiterToucheMasque(int touche) {
    if (edit_) Appliquer(pilotune::TraiterToucheMasque(Etat(), touche, props_));
}

void TEditUpDown::SelectionnerChamp(int k) {
    if (!edit_) return;
    EtatMasque etat = Etat();
    const Selection champ = SelectionChamp(etat.texte, k);
    if (champ.longueur > 0) {
        etat.sel = champ;
        Appliquer(etat);
    }
}

void TEditUpDown::PlacerBouton(int largeur, int hauteur) {
    if (!edit_ || !upDown_.hwnd) return;
    if (largeur != client_.cx || hauteur != client_.cy) {
        client_ = {largeur, hauteur};
        SetWindowPos(upDown_.hwnd, nullptr, largeur - hauteur, 0, hauteur, hauteur,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    AjusterMarge(false);
}

// `aNouveau`: the edit has just reset its margins itself (a new font).
void TEditUpDown::AjusterMarge(bool aNouveau) {
    if (!edit_) return;
    const int marge = upDownEnabled_ && upDown_.hwnd ? std::max(0, int{client_.cy}) : 0;
    if (marge == marge_ && !aNouveau) return;
    marge_ = marge;
    SendMessageW(edit_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, marge));
}

LRESULT CALLBACK TEditUpDown::EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR ref) {
    auto* self = reinterpret_cast<TEditUpDown*>(ref);
    try {
        return self->Message(h, msg, wp, lp);
    } catch (...) {
        LogException("Exception dans une zone de durée", std::current_exception());
        return NextSubclassProc(h, msg, wp, lp);
    }
}

LRESULT CALLBACK TEditUpDown::ParentProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR ref) {
    auto* self = reinterpret_cast<TEditUpDown*>(ref);
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE && self->edit_ &&
        reinterpret_cast<HWND>(lp) == self->edit_ && self->OnChange) {
        try {
            self->OnChange();
        } catch (...) {
            LogException("Exception dans une zone de durée", std::current_exception());
        }
    }
    if (msg == WM_NCDESTROY) DetachSubclass(h, ParentProc, reinterpret_cast<UINT_PTR>(self));
    return NextSubclassProc(h, msg, wp, lp);
}

LRESULT TEditUpDown::Message(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCDESTROY:
        Detacher();
        return NextSubclassProc(h, msg, wp, lp);
    case WM_GETDLGCODE: // no whole-text selection on entry
        return NextSubclassProc(h, msg, wp, lp) & ~DLGC_HASSETSEL;
    case WM_ENABLE:
        if (upDown_.hwnd) EnableWindow(upDown_.hwnd, static_cast<BOOL>(wp));
        return NextSubclassProc(h, msg, wp, lp);
    case WM_SIZE: {
        const LRESULT r = NextSubclassProc(h, msg, wp, lp);
        PlacerBouton(LOWORD(lp), HIWORD(lp));
        return r;
    }
    case WM_SETFONT: { // the edit puts its margins back to the font's own
        const LRESULT r = NextSubclassProc(h, msg, wp, lp);
        AjusterMarge(true);
        return r;
    }
    default:
        break;
    }
    if (upDownEnabled_) {
        bool traite = false;
        const LRESULT r = MessageMasque(h, msg, wp, lp, traite);
        if (traite) return r;
    } else if (msg == WM_KEYDOWN && OnKeyDown) {
        WORD touche = static_cast<WORD>(wp);
        OnKeyDown(touche);
        if (touche == 0) return 0;
        wp = touche;
    } else if (msg == WM_CHAR && OnKeyPress) {
        wchar_t c = static_cast<wchar_t>(wp);
        OnKeyPress(c);
        if (c == 0) return 0;
        wp = c;
    }
    return NextSubclassProc(h, msg, wp, lp);
}

LRESULT TEditUpDown::MessageMasque(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool& traite) {
    traite = true;
    switch (msg) {
    case WM_KEYDOWN:
        TraiterToucheMasque(static_cast<int>(wp));
        return 0;
    case WM_CHAR:
        if (OnKeyPress) {
            wchar_t c = static_cast<wchar_t>(wp);
            OnKeyPress(c);
        }
        return 0;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return 0;
    case WM_MOUSEWHEEL: {
        const short pas = GET_WHEEL_DELTA_WPARAM(wp);
        if (pas != 0) TraiterToucheMasque(pas > 0 ? kToucheHaut : kToucheBas);
        return 0;
    }
    case WM_LBUTTONUP: {
        const LRESULT r = NextSubclassProc(h, msg, wp, lp);
        EtatMasque etat = Etat();
        etat.sel = SelectionApresClic(etat.texte, etat.sel);
        Appliquer(etat);
        return r;
    }
    case WM_SETFOCUS: {
        const LRESULT r = NextSubclassProc(h, msg, wp, lp);
        Appliquer(EtatApresFocus(Text(), props_));
        return r;
    }
    case WM_NOTIFY: {
        const auto* nm = reinterpret_cast<const NMUPDOWN*>(lp);
        if (nm && nm->hdr.hwndFrom == upDown_.hwnd && nm->hdr.code == UDN_DELTAPOS) {
            SetFocus(edit_);
            if (nm->iDelta != 0) TraiterToucheMasque(nm->iDelta > 0 ? kToucheHaut : kToucheBas);
            return TRUE; // the button keeps its own position: it only reports clicks
        }
        break;
    }
    default:
        break;
    }
    traite = false;
    return 0;
}

} // namespace pilotune
