#include "components/PiconeBarreTacheWin32.h"

#include <commctrl.h>

#include <stdexcept>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "ui/CommonControlsWin32.h"
#include "ui/SubclassWin32.h"

namespace pilotune {

namespace {

constexpr UINT_PTR kTimerBlink = 1;
constexpr UINT_PTR kTimerAnimation = 2;
constexpr UINT_PTR kSubclassId = 0x5049; // "PI"
constexpr wchar_t kHandleClass[] = L"PilotuneTPourHandle";
// Posted to the handle window: opens the menu at (wParam, lParam).
constexpr UINT kMessageMenu = WM_APP + 1;

bool Topmost(HWND h) {
    return h && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HICON OwnerIcon(HWND owner) {
    HICON icon = nullptr;
    if (owner) {
        icon = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0));
        if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICONSM));
        if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICON));
    }
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace

TPiconeBarreTache::TPiconeBarreTache(HWND owner, Notifier notifier)
    : owner_(owner), notifier_(std::move(notifier)) {
    // A hidden top-level window: broadcasts such as "TaskbarCreated" reach it.
    window_.Create(kHandleClass, WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, 0, 0);
    SetIcone(OwnerIcon(owner_));
    if (owner_) AttachSubclass(owner_, OwnerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

TPiconeBarreTache::~TPiconeBarreTache() {
    if (shown_) notifier_(NIM_DELETE, &data_);
    shown_ = false;
    if (HandleWindow()) {
        KillTimer(HandleWindow(), kTimerBlink);
        KillTimer(HandleWindow(), kTimerAnimation);
    }
    Detacher();
}

void TPiconeBarreTache::Detacher() {
    if (owner_) DetachSubclass(owner_, OwnerProc, kSubclassId);
    owner_ = nullptr;
}

void TPiconeBarreTache::Loaded() {
    topmost_ = Topmost(owner_);
    AjouterIcone();
    loaded_ = true;
    AfficherImage(numImage_);
}

void TPiconeBarreTache::AjouterIcone() {
    data_.cbSize = sizeof data_;
    data_.hWnd = HandleWindow();
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kMessageIcone;
    data_.hIcon = icone_.Get();
    if (petiteVisible_) {
        notifier_(NIM_ADD, &data_);
        shown_ = true;
    }
}

void TPiconeBarreTache::Modifier() {
    if (shown_) notifier_(NIM_MODIFY, &data_);
}

void TPiconeBarreTache::SetPetiteIconeVisible(bool value) {
    if (value == petiteVisible_) return;
    petiteVisible_ = value;
    if (!loaded_) return;
    if (value && !shown_) {
        AjouterIcone();
    } else if (shown_) {
        notifier_(NIM_DELETE, &data_);
        shown_ = false;
    }
}

void TPiconeBarreTache::SetGrandeIconeVisible(bool value) {
    grandeVisible_ = value;
    AppliquerBoutonTaches();
}

// The owner has a taskbar button exactly when GrandeIconeVisible.
void TPiconeBarreTache::AppliquerBoutonTaches() {
    if (!owner_) return;
    const LONG_PTR style = GetWindowLongPtrW(owner_, GWL_EXSTYLE);
    const LONG_PTR wanted = grandeVisible_ ? (style & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW
                                           : (style & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW;
    if (wanted == style) return;
    const bool visible = IsWindowVisible(owner_);
    if (visible) ShowWindow(owner_, SW_HIDE); // the shell reads the style when shown
    SetWindowLongPtrW(owner_, GWL_EXSTYLE, wanted);
    if (visible) ShowWindow(owner_, SW_SHOWNA);
}

void TPiconeBarreTache::SetApplicationCachee(bool value) {
    cachee_ = value;
    if (value)
        CacherApplication();
    else
        MontrerApplication();
}

void TPiconeBarreTache::CacherApplication() {
    if (owner_) ShowWindow(owner_, SW_HIDE);
}

void TPiconeBarreTache::MontrerApplication() {
    if (!owner_) return;
    if (IsIconic(owner_)) ShowWindow(owner_, SW_RESTORE);
    ShowWindow(owner_, SW_SHOW);
    BringWindowToTop(owner_);
    AppliquerBoutonTaches();
    SetForegroundWindow(owner_);
}

void TPiconeBarreTache::SetIcone(HICON icon) {
    icone_.Reset(icon ? CopyIcon(icon) : nullptr);
    data_.hIcon = icone_.Get();
    Modifier();
}

void TPiconeBarreTache::SetIconeFileName(const std::string& path) {
    if (path.empty()) return;
    const IconHandle icon{static_cast<HICON>(LoadImageW(nullptr, Widen(path).c_str(), IMAGE_ICON, 0,
                                                        0, LR_LOADFROMFILE | LR_DEFAULTSIZE))};
    if (!icon) throw std::runtime_error("Impossible de lire le fichier d'icône " + path);
    SetIcone(icon.Get());
}

void TPiconeBarreTache::SetHint(const std::string& hint) {
    hint_ = hint;
    const std::wstring tip = Widen(TexteBulle(hint));
    // 63 characters may take more UTF-16 units than the record holds.
    const std::size_t n = std::min(tip.size(), std::size(data_.szTip) - 1);
    tip.copy(data_.szTip, n);
    data_.szTip[n] = L'\0';
    Modifier();
}

void TPiconeBarreTache::SetIntervalAnimation(int ms) {
    intervalAnimation_ = ms > 0 ? static_cast<UINT>(ms) : USER_TIMER_MINIMUM;
    if (animation_) SetTimer(HandleWindow(), kTimerAnimation, intervalAnimation_, nullptr);
}

void TPiconeBarreTache::SetAnimation(bool value) {
    animation_ = value;
    if (value) {
        SetTimer(HandleWindow(), kTimerAnimation, intervalAnimation_, nullptr);
    } else {
        KillTimer(HandleWindow(), kTimerAnimation);
        AfficherImage(numImage_);
    }
}

void TPiconeBarreTache::SetNumIconeImageList(int index) {
    numImage_ = index;
    if (!animation_) AfficherImage(index);
}

void TPiconeBarreTache::SetIntervalGrandeIconeBlink(int ms) {
    intervalBlink_ = ms > 0 ? static_cast<UINT>(ms) : USER_TIMER_MINIMUM;
    if (blink_) SetTimer(HandleWindow(), kTimerBlink, intervalBlink_, nullptr);
}

void TPiconeBarreTache::SetGrandeIconBlink(bool value) {
    blink_ = value;
    if (value) {
        SetTimer(HandleWindow(), kTimerBlink, intervalBlink_, nullptr);
    } else {
        KillTimer(HandleWindow(), kTimerBlink);
        ArreterClignotement();
    }
}

void TPiconeBarreTache::ArreterClignotement() {
    if (!owner_) return;
    FLASHWINFO info{sizeof info, owner_, FLASHW_STOP, 0, 0};
    FlashWindowEx(&info);
}

void TPiconeBarreTache::AfficherImage(int index) {
    derniereImage_ = index;
    if (!ImageList || index < 0 || index > kImageMax || index >= ImageListCount(ImageList)) return;
    if (const IconHandle icon{ImageListIcon(ImageList, index, ILD_NORMAL)}) SetIcone(icon.Get());
}

void TPiconeBarreTache::Animer() {
    if (!ImageList) return;
    const int next = ordre_.Suivante(derniereImage_, ImageListCount(ImageList));
    if (next >= 0) AfficherImage(next);
}

void TPiconeBarreTache::Callback(unsigned mouse) {
    POINT p{};
    GetCursorPos(&p);
    const ReactionClic r = ReagirClic(mouse, {OuvreSiClicGauche, OuvreSiDblClick, MenuSiClicDroit,
                                              MenuSiClicGauche, static_cast<bool>(MenuPop)});
    switch (r.evenement) {
    case EvenementSouris::Deplacement:
        if (OnMouseMove) OnMouseMove(*this, r.shift, p.x, p.y);
        break;
    case EvenementSouris::Enfonce:
        if (OnMouseDown) OnMouseDown(*this, r.bouton, r.shift, p.x, p.y);
        break;
    case EvenementSouris::Relache:
        if (OnMouseUp) OnMouseUp(*this, r.bouton, r.shift, p.x, p.y);
        break;
    case EvenementSouris::DoubleClic:
        if (OnDblClick) OnDblClick(*this);
        break;
    case EvenementSouris::Aucun:
        break;
    }
    if (r.montrerApplication) SetApplicationCachee(false);
    if (r.ouvrirMenu) {
        // The menu closes when the user clicks elsewhere only if its window
        // is in the foreground. It opens once what is already queued has run,
        // from the main loop: a close among it frees this icon and its window,
        // and the request goes with them.
        SetForegroundWindow(owner_ ? owner_ : HandleWindow());
        PostMessageW(HandleWindow(), kMessageMenu, static_cast<WPARAM>(p.x),
                     static_cast<LPARAM>(p.y));
    }
}

LRESULT TPiconeBarreTache::TPourHandle::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMessageIcone) {
        owner_.Callback(static_cast<unsigned>(lParam));
        return 0;
    }
    if (msg == kMessageMenu) {
        const POINT at{static_cast<LONG>(static_cast<int>(wParam)),
                       static_cast<LONG>(static_cast<int>(lParam))};
        if (owner_.MenuPop) owner_.MenuPop(at);
        return 0;
    }
    if (msg == owner_.taskbarCreated_ && msg != 0) {
        owner_.AjouterIcone(); // the shell restarted and forgot the icon
        return 0;
    }
    if (msg == WM_TIMER) {
        if (wParam == kTimerBlink && owner_.owner_) FlashWindow(owner_.owner_, TRUE);
        if (wParam == kTimerAnimation) owner_.Animer();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK TPiconeBarreTache::OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<TPiconeBarreTache*>(self)->OnOwnerMessage(msg, wParam, lParam);
    } catch (...) {
        LogException("Exception dans l'icône de la zone de notification", std::current_exception());
        return NextSubclassProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT TPiconeBarreTache::OnOwnerMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND owner = owner_;
    switch (msg) {
    case WM_CLOSE:
        if (ReduireSiFin) { // hidden instead of closed: the program keeps running
            ShowWindow(owner, SW_HIDE);
            cachee_ = true;
            return 0;
        }
        break;
    case WM_ACTIVATEAPP: {
        const LRESULT r = NextSubclassProc(owner, msg, wParam, lParam);
        if (wParam && !grandeVisible_) AppliquerBoutonTaches();
        return r;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            const LRESULT r = NextSubclassProc(owner, msg, wParam, lParam);
            if (CacherSiMinimize) ShowWindow(owner, SW_HIDE);
            return r;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        // A change of the owner's stay-on-top style: the icon is put back.
        const LRESULT r = NextSubclassProc(owner, msg, wParam, lParam);
        const bool topmost = Topmost(owner);
        if (topmost != topmost_) {
            topmost_ = topmost;
            if (shown_) {
                notifier_(NIM_DELETE, &data_);
                shown_ = false;
                AjouterIcone();
            }
        }
        return r;
    }
    case WM_NCDESTROY: {
        Detacher();
        return NextSubclassProc(owner, msg, wParam, lParam);
    }
    }
    return NextSubclassProc(owner, msg, wParam, lParam);
}

} // namespace pilotune
