#pragma once
// TfrmProgLire: a small modal dialog that picks one text out of a list (a
// programme name for action 16, a schedule entry line for action 25).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/ButtonWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/DialogWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

struct ProgLireTexts {
    std::string caption;
    std::string label;
};
inline const ProgLireTexts kProgLireProgramme{"Lecture du programme",
                                              "Sélectionnez le programme que vous voulez lire :"};
inline const ProgLireTexts kProgLireAction{"Liste des actions en cours",
                                           "Sélectionnez l'action que vous voulez relancer :"};

// For tests that drive the dialog.
inline constexpr wchar_t kProgLireClass[] = L"TfrmProgLire";
inline constexpr int kCbxProgTitreId = 101;
inline constexpr int kLblProgLireId = 102;
// cmdProgOK is IDOK, cmdProgAnnuler is IDCANCEL.

class TfrmProgLire final : public Dialog {
  public:
    TfrmProgLire();
    ~TfrmProgLire() override { Destroy(); }

    // Shows the dialog with `items` (the first one selected) until the user
    // closes it; the owner is disabled meanwhile. Returns the selected text
    // after "Ok", nothing after "Annuler", the close box or an empty list.
    std::optional<std::string> Choisir(HWND owner, const std::vector<std::string>& items,
                                       const ProgLireTexts& texts = kProgLireProgramme);

    int Tag() const { return tag_; } // 1 after "Ok", else 0

  private:
    void Finish(int tag);

    Static lblProgLire_;
    ComboBox cbxProgTitre_;
    Button cmdProgOK_, cmdProgAnnuler_;
    int tag_ = 0;
    std::string chosen_;
};

} // namespace pilotune
