// The key-text builder on any key code, hook flags and key states: every
// event gets a text, a valid UTF-8 one, made of the prefixes of the modifier
// set it reports followed by the key's name (a lone modifier key names only
// the set), and a release is named with the set left by the event before it.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "components/KeyNames.h"

using namespace pilotune;
using pilotune::fuzz::Check;

namespace {

bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int follow = b < 0x80                ? 0
                           : b >= 0xC2 && b < 0xE0 ? 1
                           : b >= 0xE0 && b < 0xF0 ? 2
                           : b >= 0xF0 && b < 0xF5 ? 3
                                                   : -1;
        if (follow < 0 || i + follow >= s.size()) return false;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += static_cast<std::size_t>(follow) + 1;
    }
    return true;
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::uint64_t held = in.ConsumeIntegral<std::uint64_t>();
    std::uint64_t heldHigh = in.ConsumeIntegral<std::uint64_t>();
    NommeurTouches nommeur([&](int vk) {
        if (vk < 0 || vk > 255) return false;
        return ((vk < 64    ? held >> vk
                 : vk < 128 ? heldHigh >> (vk - 64)
                            : (held ^ heldHigh) >> (vk % 64)) &
                1) != 0;
    });

    while (in.remaining_bytes() > 0) {
        const auto key = in.ConsumeIntegral<std::uint16_t>();
        const auto flags = in.ConsumeBool()
                               ? in.ConsumeIntegral<std::uint16_t>()
                               : static_cast<std::uint16_t>(in.ConsumeIntegralInRange(0, 140));
        const bool pressed = in.ConsumeBool();
        if (in.ConsumeBool()) held = in.ConsumeIntegral<std::uint64_t>();

        const std::string name = NomTouche(key);
        Check(!name.empty(), "every key has a name");
        const TToucheEtendu before = nommeur.Modificateurs();
        const EvenementTouche e = nommeur.Traiter(key, flags, pressed);
        Check(e.key == key && e.pressed == pressed, "the event is the key's");
        Check(e.modifiers == nommeur.Modificateurs(), "the event reports the set it leaves");
        Check((e.modifiers & ~63) == 0, "only known modifiers are read");
        if (flags >= kDrapeauxSansRafraichir)
            Check(e.modifiers == before, "from the flag limit on, the set is kept");
        const std::string prefix = PrefixesModificateurs(pressed ? e.modifiers : before);
        Check(e.text.starts_with(prefix.substr(0, prefix.size() >= 3 ? prefix.size() - 3 : 0)),
              "the text begins with the modifiers", e.text, prefix);
        if (flags >= kDrapeauxSansRafraichir || !EstToucheModificatrice(key))
            Check(e.text == prefix + name, "the text is the modifiers and the key's name", e.text,
                  prefix + name);
        else
            Check(!EndsWith(e.text, " + "), "a modifier key leaves no dangling plus", e.text);
        Check(ValidUtf8(e.text), "the text is UTF-8", e.text);
    }
    return 0;
}
