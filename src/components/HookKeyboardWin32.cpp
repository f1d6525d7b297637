#include "components/HookKeyboardWin32.h"

#include <cstring>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "settings/SettingsWin32.h"
#include "base/Messages.h"

namespace pilotune {

namespace {

THookKeyboard* g_current = nullptr;
// Posted to the receiver for each key event the library reported.
constexpr UINT kMsgEvenements = WM_APP + 1;
// Sent (SendNotifyMessageW) by the hook thread for each key event it saw.
constexpr UINT kMsgToucheBas = WM_APP + 2;
constexpr wchar_t kReceiverClass[] = L"PilotuneTReceptionMessageCopyData";

const TextCodec& Ansi() {
    static const AnsiCodePageCodec codec;
    return codec;
}

template <class F> F Export(HMODULE library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool KeyHeld(int vk) {
    return GetKeyState(vk) < -126;
} // high-order bit set

// Whether the key is held according to a modifier set read earlier.
bool HeldIn(TToucheEtendu set, int vk) {
    switch (vk) {
    case 16:
        return (set & ssShift) != 0;
    case 17:
        return (set & ssCtrl) != 0;
    case 18:
        return (set & ssAlt) != 0;
    case 165:
        return (set & ssAltGr) != 0;
    case 91:
    case 92:
        return (set & ssWindows) != 0;
    case 93:
        return (set & ssMenuContextuel) != 0;
    default:
        return false;
    }
}

} // namespace

THookKeyboard::THookKeyboard()
    : nommeur_([this](int vk) { return instant_ ? HeldIn(*instant_, vk) : KeyHeld(vk); }, &Ansi()) {
    g_current = this;
    receiver_.Create(kReceiverClass, 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

THookKeyboard::~THookKeyboard() {
    if (enabled_) RetirerHook();
    if (g_current == this) g_current = nullptr;
}

void THookKeyboard::Loaded() {
    if (enabled_) InstallerHook();
}

void THookKeyboard::SetEnabled(bool value) {
    if (value != enabled_) {
        if (value)
            InstallerHook();
        else
            RetirerHook();
    }
    enabled_ = value;
}

void THookKeyboard::Reinstaller() {
    if (!enabled_) return;
    RetirerHook();
    InstallerHook();
}

void THookKeyboard::SetRepertoireDll(const std::string& value) {
    repertoireDll_ = value;
    if (!repertoireDll_.empty() && repertoireDll_.back() != '\\') repertoireDll_ += '\\';
}

std::string THookKeyboard::NomTouche(std::uint16_t key) {
    return pilotune::NomTouche(key, &Ansi());
}

TVersionWindows THookKeyboard::ModeHook() {
    if (g_current && g_current->ForceWindows != TVersionWindows::AUTO)
        return g_current->ForceWindows;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const DWORD version = GetVersion();
#pragma GCC diagnostic pop
    return (version & 0x80000000u) ? TVersionWindows::W95_98_ME : TVersionWindows::WNT_2000_XP;
}

void THookKeyboard::InstallerHook() {
    if (HookInstalled()) return; // installed once, whatever calls come
    if (ModeHook() == TVersionWindows::W95_98_ME) {
        const std::string path = repertoireDll_ + kKeyboardDll;
        library_.Reset(LoadLibraryW(Widen(path).c_str()));
        if (!library_) {
            Messages().Error("Dll non trouvée : " + path);
            return;
        }
        finalisationHook_ = Export<Finalisation>(library_.Get(), "FinalisationHook");
        initialisationHook_ = Export<Initialisation>(library_.Get(), "InitialisationHook");
        if (initialisationHook_ && !initialisationHook_(Receiver()))
            Messages().Error("Erreur à l'initialisation du Hook");
    } else {
        auto thread = std::make_unique<KeyboardHookThread>(Receiver(), kMsgToucheBas, StopMessage);
        if (thread->Installed()) hookThread_ = std::move(thread);
    }
}

void THookKeyboard::RetirerHook() {
    // Whatever was installed goes, even if ForceWindows changed since.
    if (library_ && finalisationHook_) finalisationHook_();
    library_.Reset();
    initialisationHook_ = nullptr;
    finalisationHook_ = nullptr;
    hookThread_.reset();
}

void THookKeyboard::TraiterTouche(std::uint16_t key, std::uint16_t drapeaux, bool enfoncee) {
    Signaler(nommeur_.Traiter(key, drapeaux, enfoncee));
}

void THookKeyboard::RecevoirBrute(const ToucheBrute& t) {
    try {
        instant_ = t.held;
        const EvenementTouche e = nommeur_.Traiter(t.key, t.flags, t.pressed);
        instant_.reset();
        Signaler(e);
    } catch (...) {
        instant_.reset(); // a failing handler loses its own key, not the ones after it
        LogException("Exception à la réception d'une touche", std::current_exception());
    }
}

void THookKeyboard::Recevoir(std::uint16_t key, std::uint16_t drapeaux, bool enfoncee) {
    pending_.push_back(nommeur_.Traiter(key, drapeaux, enfoncee));
    Notifier();
}

void THookKeyboard::Notifier() {
    if (!notified_ && !pending_.empty())
        notified_ = PostMessageW(Receiver(), kMsgEvenements, 0, 0) != FALSE;
}

void THookKeyboard::Delivrer() {
    // One event per message, the message for the next one posted first: a
    // handler that runs a modal loop goes on receiving the keys after its own.
    notified_ = false;
    if (pending_.empty()) return;
    const EvenementTouche e = std::move(pending_.front());
    pending_.pop_front();
    Notifier();
    try {
        Signaler(e);
    } catch (...) {
        // a failing handler loses its own key, not the ones after it
        LogException("Exception à la réception d'une touche", std::current_exception());
    }
}

void THookKeyboard::Signaler(const EvenementTouche& e) {
    THookKeyboard& sender = *this;
    if (e.pressed) {
        if (OnHookKeyDown) OnHookKeyDown(sender, e.key, e.text);
    } else {
        if (OnHookKeyPresse) OnHookKeyPresse(sender, e.key, e.text, e.modifiers);
        if (OnHookKeyUp) OnHookKeyUp(sender, e.key, e.text);
    }
}

LRESULT THookKeyboard::CopyData(const COPYDATASTRUCT* data) {
    // Only the library reports here, and only a whole record is read.
    if (!library_ || !data || !data->lpData || data->cbData < 2 * sizeof(std::uint32_t)) return 0;
    std::uint32_t record[2];
    std::memcpy(record, data->lpData, sizeof record);
    Recevoir(static_cast<std::uint16_t>(record[0] & 0xFFFF), 0, (record[1] & 0x80000000u) == 0);
    return StopMessage ? 1 : 0;
}

LRESULT THookKeyboard::TReceptionMessageCopyData::HandleMessage(UINT msg, WPARAM wParam,
                                                                LPARAM lParam) {
    if (msg == WM_COPYDATA) return owner_.CopyData(reinterpret_cast<COPYDATASTRUCT*>(lParam));
    if (msg == kMsgToucheBas) {
        owner_.RecevoirBrute(KeyboardHookThread::Lire(wParam, lParam));
        return 0;
    }
    if (msg == kMsgEvenements) {
        owner_.Delivrer();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
