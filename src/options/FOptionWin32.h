#pragma once
// TfrmOption: the settings dialog, modeless. A column of page buttons on the
// left, one page on the right, and Ok / Appliquer / Annuler / Défaut / help at
// the bottom. It edits copies of the settings and hands them back on Ok and
// Appliquer; Annuler keeps what was applied before. The pages come from the
// page table (OptionPageTableWin32.cpp).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "options/ListGesturesWin32.h"
#include "options/OptionPageTableWin32.h"
#include "options/OptionsPageWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/DialogWin32.h"
#include "ui/PanelWin32.h"

namespace pilotune {

class COption;
class CPlanification;
class SettingsStore;
class TPilotune;

inline constexpr wchar_t kOptionClass[] = L"TfrmOption";

class TfrmOption final : public Dialog, private PageDirectory {
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
    void ProgrammeRecorded();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    std::size_t PageCount() const override { return pages_.size(); }
    OptionsPage& PageAt(std::size_t index) override { return *pages_.at(index); }
    void BuildPage(std::size_t index) override;
    void BuildFrame();
    void BuildAllPages();
    static constexpr UINT kBuildPages = WM_APP + 1; // posted once the dialog is made
    void Changed() { cmdAppliquer_.Enable(true); }
    void Apply(bool close);
    void Defaults();
    void DrawPageButton(std::size_t page, const DRAWITEMSTRUCT& item);

    SettingsStore& store_;
    COption& option_;
    CPlanification& plan_;
    OptionsHost host_;
    PageContext context_;
    std::vector<std::unique_ptr<OptionsPage>> pages_;
    std::vector<bool> built_;
    int current_ = -1;

    Panel tabBouton_;
    std::vector<std::unique_ptr<Button>> pageButtons_;
    PageStack panels_;
    Button cmdOK_, cmdAppliquer_, cmdAnnuler_, cmdDefaut_, cmdAide_;
    ListCommands popup_; // the list the menu was last opened on
};

} // namespace pilotune
