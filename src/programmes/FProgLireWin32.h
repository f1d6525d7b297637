#pragma once
// TfrmProgLire: a small modal dialog that picks one text out of a list (a
// programme name for action 16, a schedule entry line for action 25).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/WindowWin32.h"

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

class TfrmProgLire final : public Window {
  public:
    // Shows the dialog with `items` (the first one selected) until the user
    // closes it; the owner is disabled meanwhile. Returns the selected text
    // after "Ok", nothing after "Annuler", the close box or an empty list.
    std::optional<std::string> Choisir(HWND owner, const std::vector<std::string>& items,
                                       const ProgLireTexts& texts = kProgLireProgramme);

    int Tag() const { return tag_; } // 1 after "Ok", else 0

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls(const std::vector<std::string>& items, const std::string& label);
    void Finish(int tag);

    HWND combo_ = nullptr;
    HFONT boldFont_ = nullptr;
    int tag_ = 0;
    bool done_ = false;
    std::string chosen_;
};

} // namespace pilotune
