#pragma once
// The real program beside the simulator, with its options dialog driven
// through window messages to its real controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "../schedule/BarHarness.h"
#include "DialogDriving.h"
#include "ModalDriver.h"
#include "Waiting.h"
#include "WindowText.h"
#include "bar/Dispatcher.h"
#include "components/UEditUpDownWin32.h"
#include "options/ActionTexts.h"
#include "options/FOptionWin32.h"
#include "schedule/Action.h"
#include "ui/GdiWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune::testing {

// A control of the dialog as a user finds it: by its text, the field after
// a label (`next`), or as the n-th of its class on the page shown.
struct Find {
    std::string_view text;
    const wchar_t* cls = nullptr;
    int n = 0;
    bool next = false;
};
inline const Find kAppliquer{"Appliquer"}, kDefaut{"Défaut"}, kAide{"?"};
// The general page.
inline const Find kBoucle{"Active la chanson en boucle"},
    kBoucleLabel{"Nombre de fois que la chanson tourne en boucle (9=infini) :"},
    kExtrait{"Active l'extrait de chanson"},
    kExtraitLabel{"Nombre de seconde que dure l'extrait :"},
    kBoucleNb{kBoucleLabel.text, nullptr, 0, true},
    kExtraitNb{kExtraitLabel.text, nullptr, 0, true},
    kTransparent{"Transparent à :", nullptr, 0, true},
    kDemarreWindows{"Lancer au démarrage de windows"},
    kCacheAuto{"Cacher automatiquement le programme"}, kCacheWA{"Cacher Winamp"},
    kFermerWA{"Fermer Winamp et le programme ensemble"},
    kSystray{"Mettre un icône dans le systray"}, kMAJ{"Vérifier si une mise à jour est disponible"},
    kAffichageNeg{"Affiche le temp restant "};
// The keyboard page.
inline const Find kClaActiver{"Activer les touches de raccourcis"}, kClaAction{{}, L"ComboBox", 0},
    kClaParcourir{" Parcourir"}, kClaTouche{{}, L"Edit", 0}, kClaAjouter{"Ajouter"},
    kClaList{{}, WC_LISTVIEWW, 0};
// The copy page.
inline const Find kCopieAfficheBT{"Afficher le bouton de copie dans la barre de contrôle"},
    kCopieChemin{{}, L"Edit", 0}, kCopieParcourir{"..."}, kCopieNumeroDe{{}, L"Edit", 1},
    kCopieNumeroA{{}, L"Edit", 2}, kCopieAjouter{"Ajouter"}, kCopieCopier{"Copier"},
    kCopieList{{}, WC_LISTVIEWW, 0};
// The schedule page.
inline const Find kPlanActiver{"Activer la planification"}, kPlanAction{{}, L"ComboBox", 0},
    kPlanComment{{}, L"ComboBox", 1}, kPlanHeure{{}, L"Edit", 0}, kPlanChanson{{}, L"Edit", 1},
    kPlanAjouter{"Ajouter"}, kPlanList{{}, WC_LISTVIEWW, 0};
// The programme page.
inline const Find kProgEnreg{"Activer la programmation des titres écoutés"},
    kProgLecture{"Activer la lecture du programme des titres lus"},
    kProgTitreBox{{}, L"ComboBox", 0}, kProgNumeroDe{{}, L"Edit", 0}, kProgNumeroA{{}, L"Edit", 1},
    kProgDepart{{}, L"Edit", 2}, kProgFin{{}, L"Edit", 3}, kProgAjouter{"Ajouter"},
    kProgList{{}, WC_LISTVIEWW, 0};
// The control `f` of the options dialog; one found by its text may also lie
// on a hidden page.
inline HWND FindControl(HWND dialog, const Find& f, bool hiddenPages = false) {
    if (f.next) return GetWindow(FindControl(dialog, {f.text}), GW_HWNDNEXT);
    HWND found = nullptr;
    int seen = 0;
    std::function<void(HWND)> walk = [&](HWND parent) {
        for (HWND c = GetWindow(parent, GW_CHILD); c && !found; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t cls[64] = {};
            GetClassNameW(c, cls, 64);
            if (lstrcmpW(cls, L"PilotunePanel") == 0) {
                if (hiddenPages || (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) walk(c);
            } else if (f.cls ? lstrcmpiW(cls, f.cls) == 0 && seen++ == f.n
                             : WindowText(c) == f.text) {
                found = c;
            }
        }
    };
    walk(dialog);
    return found || f.cls || hiddenPages ? found : FindControl(dialog, f, true);
}

// The pages' places, as "Dernière" stores them.
inline constexpr int kPageDivers = 0, kPageProgramme = 1, kPageClavier = 2, kPageCopie = 3,
                     kPageSon = 5;

struct OptionsHarness : BarHarness {
    OptionsHarness() : BarHarness(Simulator::Options{}) {}
    explicit OptionsHarness(Simulator::Options o) : BarHarness(std::move(o)) {}

    // Runs the program's loop (dialog keys first) until `done` or `ms`.
    template <class Done> bool Loop(Done done, int ms = 4000) { return RunUntil(done, ms); }
    void Settle(int ms = 100) {
        Loop([] { return false; }, ms);
    }

    // Opens the dialog, waits for it and shows `page` (none: the one it opens on).
    bool OpenOn(int page = -1) {
        bar.dispatcher.ExecuterAction(AFFICHEOPTION, false);
        if (!Loop([&] { return Form() && IsWindowVisible(Form()); })) return false;
        if (page >= 0) Click(PageButton(page));
        return true;
    }
    bool Closed() {
        return Loop([&] { return Form() == nullptr; });
    }
    HWND Form() const { return FindWindowW(kOptionClass, nullptr); }

    HWND Item(const Find& f) const { return FindControl(Form(), f); }
    // The button of page `page` in the left column.
    HWND PageButton(int page) const {
        HWND b = GetWindow(FindWindowExW(Form(), nullptr, L"PilotunePanel", nullptr), GW_CHILD);
        for (int k = 0; k < page && b; ++k)
            b = GetWindow(b, GW_HWNDNEXT);
        return b;
    }
    int PageCount() const {
        int n = 0;
        while (PageButton(n))
            ++n;
        return n;
    }
    void Click(HWND control) { SendMessageW(control, BM_CLICK, 0, 0); }
    // Ok (IDOK) and Annuler (IDCANCEL), of fixed ids.
    void Click(int fixedId) { Click(DescendantWithId(Form(), fixedId)); }
    void Click(const Find& f) { Click(Item(f)); }
    bool Enabled(const Find& f) { return IsWindowEnabled(Item(f)) != FALSE; }
    bool Checked(const Find& f) { return SendMessageW(Item(f), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Caption() const { return WindowText(Form()); }
    std::string Text(const Find& f) const { return WindowText(Item(f)); }
    TEditUpDown& Spin(const Find& f) { return *TEditUpDown::FromHandle(Item(f)); }
    // A combo box's choice as the user's: the selection, then its notification.
    // The row of `action` in an action list.
    void ChooseAction(const Find& f, int action) { Choose(f, OfferedRow(action)); }
    void Choose(const Find& f, int index) {
        HWND box = Item(f);
        SendMessageW(box, CB_SETCURSEL, index, 0);
        SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }

    // Rows, cells, check marks and selection of a list view.
    int Rows(const Find& f) const {
        return static_cast<int>(SendMessageW(Item(f), LVM_GETITEMCOUNT, 0, 0));
    }
    std::string Cell(const Find& f, int row, int column) const {
        wchar_t buffer[512] = {};
        LVITEMW item{.iSubItem = column, .pszText = buffer, .cchTextMax = 512};
        SendMessageW(Item(f), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return Narrow(buffer);
    }
    bool RowChecked(const Find& f, int row) const {
        return (SendMessageW(Item(f), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) > 1;
    }
    void SetRowState(const Find& f, int row, UINT mask, UINT state) {
        LVITEMW item{.state = state, .stateMask = mask};
        SendMessageW(Item(f), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void SelectRow(const Find& f, int row) {
        SetRowState(f, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    // A list notification as the list view sends it to its page.
    void Notify(const Find& f, UINT code, int row = -1) {
        HWND list = Item(f);
        const int id = GetDlgCtrlID(list);
        NMITEMACTIVATE n{.hdr = {list, static_cast<UINT_PTR>(id), code}, .iItem = row};
        SendMessageW(GetParent(list), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&n));
    }
    // A right click on a list: `onMenu` sees the menu it opens, then the menu
    // is closed.
    void RightClick(const Find& f, int row = -1, std::function<void(HMENU)> onMenu = {}) {
        ModalDriver reader(L"#32768", [&](HWND menu) {
            if (onMenu) onMenu(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Notify(f, NM_RCLICK, row);
    }
    // Every text of the dialog whole, and its screenshot options-<page>-<dpi>.bmp.
    void Shot(const std::string& page) {
        EXPECT_TRUE(MakeForeground(Form()));
        Settle(200);
        EXPECT_EQ(ClippedTexts(Form()), "") << page;
        EXPECT_TRUE(SaveWindowBmp(Form(), "options-" + page + "-" + std::to_string(ScreenDpi())));
    }
    // A menu item's command as the menu sends it.
    void Command(int id) { SendMessageW(Form(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

} // namespace pilotune::testing
