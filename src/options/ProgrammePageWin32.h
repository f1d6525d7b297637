#pragma once
// The page "Programme music" of the options dialog: the recording and replay
// switches, and programmes composed by hand from ranges of playlist tracks.
// The page edits its own copy of the programme it shows; the current
// programme changes only when Apply names it. The page keeps each row's
// entry: the list only shows it, so a value its masks cannot show is kept.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "components/SpinEditWin32.h"
#include "options/ListGesturesWin32.h"
#include "options/OptionsPageWin32.h"
#include "options/TrackRangeWin32.h"
#include "settings/Option.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/EditWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/RowListWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

// The names box's menu.
inline constexpr int kMnuProgSupprimer = 1520;
inline constexpr int kMnuProgSupprimerTout = 1521;

class ProgrammePage final : public OptionsPage {
  public:
    explicit ProgrammePage(PageContext& context);
    ~ProgrammePage() override;

    std::string_view Caption() const override { return "Programme music"; }
    int HelpContext() const override { return 1003; }
    void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const override;
    void Build(Panel& page) override;
    void Fill() override;
    void Apply() override;
    void Defaults() override;
    void Add();
    void TakeBack();
    // Re-reads the playlist, then the shown programme.
    void Refresh();
    // The programme names as the page holds them now.
    std::vector<std::string> Names() const;
    // Shows the entries recording added to the current programme since the
    // list was read, when the list shows that programme.
    void FollowRecording();

  private:
    std::string TrackTitle(int n) const { return pilotune::TrackTitle(player_, n); }
    void TrackChanged(const SpinEdit& changed);
    void LoadList(const std::string& name);
    void SaveList();
    void ShowsProgramme(const std::string& name);
    // The name in the box, as the settings file holds it (trimmed).
    std::string TypedName() const;
    void ShowNamesMenu();
    void RemoveName(bool all);
    static LRESULT CALLBACK NamesBoxProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    PageContext& context_;
    SettingsStore& store_;
    COption& option_;
    TPilotune* player_;
    HWND namesEdit_ = nullptr;
    // The names box was entered from another control of the dialog, not
    // given the focus back with the dialog.
    bool namesEntered_ = false;
    std::string followed_;    // the current programme, while the list shows it
    size_t recordedSeen_ = 0; // its entries the list already holds
    // The four fields as read and as first shown: a field left as shown
    // saves what was read.
    struct Kept {
        int read = 0, shown = 0;
    };
    std::array<Kept, 4> kept_{};

    CheckBox cseProgEnreg_, cseProgLecture_;
    GroupBox gbxProgLecture_;
    Static lblProgTitreProg_, lblProgNumeroDe_, lblProgNumeroA_, lblProgDepart_, lblProgFin_,
        lblProgTitre_;
    ComboBox cbxProgTitre_;
    SpinEdit tudProgNumeroDe_, tudProgNumeroA_, tudProgDepart_, tudProgFin_;
    Edit txtProgTitre_;
    Button cmdProgAjouter_;
    RowList<TProg> lsvProg_;
};

} // namespace pilotune
