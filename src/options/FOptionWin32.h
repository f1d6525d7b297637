#pragma once
// TfrmOption: the settings dialog, modeless. A column of page buttons on the
// left, one page on the right, and Ok / Appliquer / Annuler / Défaut / help at
// the bottom. It edits copies of the settings and hands them back on Ok and
// Appliquer; Annuler keeps what was applied before.
#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "components/SpinEditWin32.h"
#include "options/ClavierPageWin32.h"
#include "options/CopyPageWin32.h"
#include "options/OptionsPages.h"
#include "options/PlanificationPageWin32.h"
#include "options/ProgrammePageWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/DialogWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class COption;
class CPlanification;
class SettingsStore;
class TPilotune;

inline constexpr wchar_t kOptionClass[] = L"TfrmOption";

// Control ids (unique across the pages). cmdOK is IDOK, cmdAnnuler IDCANCEL.
inline constexpr int kOptPageButton = 1000; // + page number
inline constexpr int kOptAppliquer = 1010;
inline constexpr int kOptDefaut = 1011;
inline constexpr int kOptAide = 1012;
// The general page.
inline constexpr int kOptBoucle = 1100;
inline constexpr int kOptBoucleLabel = 1101;
inline constexpr int kOptBoucleNb = 1102;
inline constexpr int kOptExtrait = 1103;
inline constexpr int kOptExtraitLabel = 1104;
inline constexpr int kOptExtraitNb = 1105;
inline constexpr int kOptDemarreWindows = 1106;
inline constexpr int kOptTransparentLabel = 1107;
inline constexpr int kOptTransparent = 1108;
inline constexpr int kOptCacheAuto = 1109;
inline constexpr int kOptCacheWA = 1110;
inline constexpr int kOptFermerWA = 1111;
inline constexpr int kOptSystray = 1112;
inline constexpr int kOptMAJ = 1113;
inline constexpr int kOptAffichageNeg = 1114;

// What the dialog asks of the program.
struct OptionsHost {
    std::function<void()> applySettings;       // the bar applies COption
    std::function<void(bool on)> applying;     // Apply writes COption from the pages
    std::function<void(int context)> showHelp; // the help file at a context
    KeyCapture capture;                        // the bar's hook feeds the key box
    TPilotune* player = nullptr;               // the playlist of the track pages
    std::function<void()> restartReplay;       // LECTUREPROGRAMME, mode flag true
    ListCopyHost* copies = nullptr;            // runs the list copy
};

class TfrmOption final : public Dialog {
  public:
    TfrmOption(SettingsStore& store, COption& option, CPlanification& plan, OptionsHost host);
    ~TfrmOption() override;

    // Creates the window from the settings and shows it; false when it could not.
    bool Open(HWND owner);
    // The same in two steps: created, not yet shown; then shown, the focus on
    // the current page's button.
    bool Prepare(HWND owner);
    void Reveal();
    bool IsOpen() const { return Handle() != nullptr; }
    void SelectPage(int page);
    int CurrentPage() const { return current_; }
    // Recording added to the current programme: the programme page shows it.
    void ProgrammeRecorded() {
        if (programmeBuilt_) programme_.FollowRecording();
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void BuildFrame();
    void BuildPage(int page);
    void BuildAllPages();
    static constexpr UINT kBuildPages = WM_APP + 1; // posted once the dialog is made
    bool& Built(int page);
    void BuildGeneral(Panel& page);
    void FillGeneral();
    void DefaultGeneral();
    void ApplyGeneral();
    // The general page's values in the order of COption's fields.
    std::array<int, 12> GeneralValues();
    void GroupSwitch(const CheckBox& box, const std::vector<HWND>& members);
    void Changed() { cmdAppliquer_.Enable(true); }
    void Apply(bool close);
    void Defaults();
    LRESULT DrawPageButton(const DRAWITEMSTRUCT& item);

    SettingsStore& store_;
    COption& option_;
    CPlanification& plan_;
    OptionsHost host_;
    int current_ = -1;
    bool clavierBuilt_ = false, planificationBuilt_ = false, programmeBuilt_ = false,
         copieBuilt_ = false;

    Panel tabBouton_;
    std::array<Button, kOptionPageCount> pageButtons_;
    PageStack pages_;
    Button cmdOK_, cmdAppliquer_, cmdAnnuler_, cmdDefaut_, cmdAide_;

    // General page.
    GroupBox gbxBoucle_, gbxExtrait_, gbxDivers_;
    CheckBox cseBoucle_, cseExtrait_;
    Static lblBoucle_, lblExtrait_, lblTransparent_;
    SpinEdit tudBoucle_, tudExtrait_, tudTransparent_;
    CheckBox cseLancerDemarreWindows_, cseCacheAuto_, cseCacheWA_, cseFermerWA_, cseSystray_,
        cseMAJ_, cseAffichageNeg_;

    std::array<int, 12> generalShown_{}; // as filled: what the user changed differs
    ListCommands popup_;                 // the list the menu was last opened on
    ClavierPage clavier_;
    PlanificationPage planification_;
    ProgrammePage programme_;
    CopyPage copie_;
};

} // namespace pilotune
