#pragma once
// The French names of the keys and the key text of one key event: the text a
// shortcut is stored as and matched on ("Ctrl + Touche F5"). Portable: the key
// states come from the caller.
#include <cstdint>
#include <functional>
#include <string>

namespace pilotune {

struct TextCodec;

// TToucheEtendu: the set of modifier keys held, one bit per element.
using TToucheEtendu = std::uint8_t;
enum ToucheEtendu : TToucheEtendu {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssWindows = 8,
    ssAltGr = 16,
    ssMenuContextuel = 32,
};

// From this flag value on, a key event keeps the previous modifier set and is
// always named, even for a modifier key.
inline constexpr std::uint16_t kDrapeauxSansRafraichir = 130;

// The French name of one virtual-key code. Codes outside the table give
// "Touche spécial " followed by the character whose code is the key's low
// byte, read in `ansi` (nullptr: Windows-1252).
std::string NomTouche(std::uint16_t key, const TextCodec* ansi = nullptr);

// "Windows + Menu Contextuel + Alt Gr + Ctrl + Alt + Shift + ", each part only
// when its element is in the set.
std::string PrefixesModificateurs(TToucheEtendu set);

// Shift, Ctrl, Alt (16-18), the Windows and menu keys (91-93) and their
// left/right codes (160-165).
bool EstToucheModificatrice(std::uint16_t key);

// Whether the key with that virtual-key code is held now.
using EtatTouche = std::function<bool(int vk)>;

// The modifier set read from the key states.
TToucheEtendu LireModificateurs(const EtatTouche& held);

struct EvenementTouche {
    std::uint16_t key = 0;
    std::string text;            // the key text (Signification)
    TToucheEtendu modifiers = 0; // the set when the event fires
    bool pressed = true;         // false: a release
};

// Names successive key events. The release of a key is named with the set left
// by the event before it.
class NommeurTouches {
  public:
    explicit NommeurTouches(EtatTouche held, const TextCodec* ansi = nullptr)
        : held_(std::move(held)), ansi_(ansi) {}

    // `flags`: the low 16 bits of the low-level hook's flags, or 0.
    EvenementTouche Traiter(std::uint16_t key, std::uint16_t flags, bool pressed);
    TToucheEtendu Modificateurs() const { return set_; }

  private:
    EtatTouche held_;
    const TextCodec* ansi_;
    TToucheEtendu set_ = 0;
};

} // namespace pilotune
