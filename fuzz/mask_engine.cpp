// The spin edit's text engine on arbitrary texts, masks, weights and keys: no
// crash, no hang, and every selection it hands to the edit control lies inside
// the text it returns.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "components/MaskEngine.h"

using namespace pilotune;
using pilotune::fuzz::Check;

namespace {

// Characters (code points) of a text as the engine counts them.
int Characters(std::string_view s) {
    int n = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int follow = b < 0x80         ? 0
                           : (b >> 5) == 6  ? 1
                           : (b >> 4) == 14 ? 2
                           : (b >> 3) == 30 ? 3
                                            : -1;
        bool ok = follow >= 0 && i + follow < s.size();
        for (int j = 1; ok && j <= follow; ++j)
            ok = (static_cast<unsigned char>(s[i + j]) & 0xC0) == 0x80;
        i += ok ? static_cast<std::size_t>(follow) + 1 : 1;
        ++n;
    }
    return n;
}

void CheckInside(const EtatMasque& e, const char* what) {
    const int n = Characters(e.texte);
    Check(e.sel.debut >= 0 && e.sel.longueur >= 0 && e.sel.debut + e.sel.longueur <= n, what,
          e.texte, std::to_string(e.sel.debut) + "+" + std::to_string(e.sel.longueur));
}

const int kKeys[] = {kToucheGauche,
                     kToucheHaut,
                     kToucheDroite,
                     kToucheBas,
                     kToucheSuppr,
                     kTouchePavePlus,
                     kTouchePaveMoins,
                     48,
                     49,
                     53,
                     57,
                     96,
                     101,
                     105,
                     65,
                     0};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ProprietesMasque p;
    p.Coeficient = in.ConsumeRandomLengthString(40);
    p.MaskMin = in.ConsumeRandomLengthString(40);
    p.MaskMax = in.ConsumeRandomLengthString(40);
    p.VoirSigne = in.ConsumeBool();
    p.Pluriel = in.ConsumeBool();
    const std::string modele = in.ConsumeRandomLengthString(60);
    const std::string source = in.ConsumeRandomLengthString(60);
    const int valeur = in.ConsumeIntegral<int>();

    (void)MasqueChiffres(modele);
    Check(NombreChamps(modele) <= kMaxChamps + 1, "fields are counted up to the limit", modele);
    const int k = in.ConsumeIntegralInRange(-2, 120);
    const Selection champ = SelectionChamp(modele, k);
    Check(champ.debut >= 0 && champ.longueur >= 0 &&
              champ.debut + champ.longueur <= Characters(modele),
          "a field lies inside its text", modele);
    (void)ValeurChamp(modele, k);
    (void)ChampAuCurseur(modele, in.ConsumeIntegral<int>());
    (void)EstEntierSimple(source);
    (void)ValeurTexte(source, p);
    (void)ReglePluriel(source, p);

    const std::string texte = TexteValeur(modele, source, p);
    const std::string position = TextePosition(modele, valeur, p);

    EtatMasque etat = EtatApresFocus(position, p);
    CheckInside(etat, "the selection after the focus lies inside the text");
    etat.sel = {in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
    const Selection clic = SelectionApresClic(texte, etat.sel);
    Check(clic.debut >= 0 && clic.longueur >= 0 && clic.debut + clic.longueur <= Characters(texte),
          "the selection after a click lies inside the text", texte);

    etat.texte = in.ConsumeBool() ? texte : modele;
    for (int i = 0; i < 24 && in.remaining_bytes() > 0; ++i) {
        const int touche =
            in.ConsumeBool()
                ? kKeys[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)]
                : in.ConsumeIntegral<int>();
        const EtatMasque avant = etat;
        etat = TraiterToucheMasque(etat, touche, p);
        if (etat.texte.size() > 4096) break; // a sign or plural grows it a little per key at most
        if (etat == avant) continue; // a key it ignores leaves the caller's selection as it was
        CheckInside(etat, "the selection after a key lies inside the text");
    }
    return 0;
}
