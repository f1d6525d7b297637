// The options dialog under Wine, in the real program beside the simulator:
// AFFICHEOPTION to the first page painted with 200 bindings and 200 schedule
// entries, against an empty dialog of the same toolkit in the same run; and
// Appliquer with the same lists. Also the same empty dialog holding as many
// plain buttons as the dialog has child windows, and holding the first page's
// kinds of window made bare, without the toolkit: the floor those kinds set.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../../tests/windows/options/OptionsHarness.h"
#include "BenchClock.h"
#include "WindowText.h"
#include "options/FOptionWin32.h"
#include "schedule/Action.h"
#include "ui/ButtonWin32.h"
#include "ui/DialogWin32.h"
#include "ui/WindowWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
// A mark in a Wine server trace (WINEDEBUG=+server): requests between two
// marks are what the step between them asked of the server.
void Mark(const wchar_t* what) {
    GlobalFindAtomW(what);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchWindowMessage(msg);
}

struct EmptyDialog final : Dialog {
    ~EmptyDialog() override { Destroy(); }
};

// Shows and paints `d`, made from `t0` on; closes it; returns the time taken.
double ShownAndClosed(EmptyDialog& d, double t0) {
    d.ShowModeless();
    UpdateWindow(d.Handle());
    const double t = NowMs() - t0;
    Mark(L"bench-mark opened");
    d.Close(IDCANCEL);
    Pump();
    return t;
}

// The empty dialog, or one with `buttons` plain buttons: what that many child
// windows cost by themselves, whatever they show.
double OpenEmpty(int buttons = 0) {
    EmptyDialog d;
    std::vector<Button> children(static_cast<size_t>(buttons));
    Mark(buttons ? L"bench-mark buttons" : L"bench-mark empty");
    const double t0 = NowMs();
    d.Create(L"BenchEmptyDialog", {.caption = "Vide", .client = {681, 466}, .resizable = true});
    for (int i = 0; i < buttons; ++i)
        children[static_cast<size_t>(i)].Create(
            d, "Bouton", {8 + 110 * (i % 6), 8 + 30 * (i / 6), 100, 25}, 1000 + i);
    return ShownAndClosed(d, t0);
}

// The owner-drawn buttons of the bare floor show a plain face and a word.
LRESULT CALLBACK BarePanelProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_DRAWITEM) return DefWindowProcW(h, msg, wParam, lParam);
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
    DrawTextW(item->hDC, L"Page", -1, &item->rcItem, DT_CENTER | DT_WORDBREAK);
    return TRUE;
}

// The empty dialog holding the first page's kinds of window, each made by
// CreateWindowEx and given the dialog font: two panels, 6 owner-drawn and 5
// push buttons, 3 group boxes, 9 check boxes, 3 labels, 3 edits each with an
// up-down inside.
double OpenBare() {
    static const ATOM panelClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BarePanelProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = L"BenchBarePanel";
        return RegisterClassW(&wc);
    }();
    EmptyDialog d;
    Mark(L"bench-mark bare");
    const double t0 = NowMs();
    d.Create(L"BenchEmptyDialog", {.caption = "Vide", .client = {681, 466}, .resizable = true});
    const auto font = SendMessageW(d.Handle(), WM_GETFONT, 0, 0);
    auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, RECT r, HWND parent,
                    DWORD exStyle = 0) {
        HWND c = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right, r.bottom, parent, nullptr, nullptr, nullptr);
        SendMessageW(c, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
        return c;
    };
    const DWORD panel = WS_CLIPSIBLINGS, tab = WS_TABSTOP;
    HWND column = make(MAKEINTATOM(panelClass), L"", panel, {8, 6, 108, 422}, d.Handle(),
                       WS_EX_CONTROLPARENT);
    for (int i = 0; i < 6; ++i)
        make(L"BUTTON", L"Page", BS_OWNERDRAW | tab, {0, 70 * i, 108, 70}, column);
    HWND page = make(MAKEINTATOM(panelClass), L"", panel, {120, 4, 555, 424}, d.Handle(),
                     WS_EX_CONTROLPARENT);
    for (int i = 0; i < 5; ++i)
        make(L"BUTTON", L"Appliquer", BS_PUSHBUTTON | tab, {208 + 104 * i, 435, 97, 25},
             d.Handle());
    for (int i = 0; i < 3; ++i)
        make(L"BUTTON", L"Divers", BS_GROUPBOX, {16, 16 + 100 * i, 521, 73}, page);
    for (int i = 0; i < 9; ++i)
        make(L"BUTTON", L"Cacher automatiquement le programme", BS_AUTOCHECKBOX | tab,
             {24 + 290 * (i % 2), 15 + 40 * i, 270, 17}, page);
    for (int i = 0; i < 3; ++i) {
        make(L"STATIC", L"Nombre de seconde que dure l'extrait :", SS_EDITCONTROL | SS_NOPREFIX,
             {32, 48 + 100 * i, 376, 17}, page);
        HWND edit = make(L"EDIT", L"01 s", ES_AUTOHSCROLL | tab, {432, 45 + 100 * i, 65, 21}, page,
                         WS_EX_CLIENTEDGE);
        make(UPDOWN_CLASSW, nullptr, 0, {44, 0, 17, 17}, edit);
    }
    return ShownAndClosed(d, t0);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Best(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

} // namespace

int main() {
    BarHarness h(Simulator::Options{.tracks = 10});
    h.Start();
    h.option.Bindings.clear();
    for (int i = 0; i < 200; ++i)
        h.option.Bindings.push_back({true, static_cast<std::uint8_t>(i % 32),
                                     "Touche F" + std::to_string(i), "C:\\x" + std::to_string(i)});
    h.store.WriteInteger(kSectionPlanification, "NbListe", 200, true);
    for (int i = 0; i < 200; ++i) {
        const std::string n = std::to_string(i);
        h.store.WriteInteger(kSectionPlanification, "Action " + n, STOPPER, true);
        h.store.WriteInteger(kSectionPlanification, "Comment " + n, i % 6, true);
        h.store.WriteInteger(kSectionPlanification, "Periode " + n, i % 13, true);
        h.store.WriteInteger(kSectionPlanification, "Quand " + n, 600 + i, true);
    }
    double bestEmpty = 1e18, bestApply = 1e18, bestForm = 1e18, bestClavier = 1e18;
    std::vector<double> opens, buttons, bare;
    int windows = 0;
    // The dialog and its baselines are measured side by side, in turns first,
    // so that all meet the same moments of the machine, and compared by their
    // medians. Under Wine each server request wakes the server: on an idle
    // machine whose cores sleep that costs far more than on a busy one, so
    // the same opening takes 15 ms or 50 ms by the machine's state, and the
    // best of one against the best of the other compares two states.
    for (int pass = 0; pass < 30; ++pass) {
        const bool baselineFirst = pass % 2 == 0;
        bestEmpty = std::min(bestEmpty, OpenEmpty());
        bare.push_back(OpenBare());
        {
            // The dialog alone, without the bar's Z-order and focus work.
            TfrmOption form(h.store, h.option, h.plan, {});
            Mark(L"bench-mark form");
            const double f0 = NowMs();
            form.Open(nullptr);
            UpdateWindow(form.Handle());
            bestForm = std::min(bestForm, NowMs() - f0);
            Mark(L"bench-mark opened");
            const double c0 = NowMs();
            form.SelectPage(kPageClavier);
            UpdateWindow(form.Handle());
            bestClavier = std::min(bestClavier, NowMs() - c0);
            form.SelectPage(kPageDivers);
            form.Close(IDCANCEL);
            Pump();
        }
        if (windows > 0 && baselineFirst) buttons.push_back(OpenEmpty(windows));
        Mark(L"bench-mark open");
        const double t0 = NowMs();
        h.bar.dispatcher.ExecuterAction(AFFICHEOPTION, false);
        HWND form = FindWindowW(kOptionClass, nullptr);
        if (!form) {
            std::printf("the dialog did not open\n");
            return 1;
        }
        UpdateWindow(form);
        opens.push_back(NowMs() - t0);
        Mark(L"bench-mark opened");
        if (windows == 0)
            EnumChildWindows(
                form, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
                reinterpret_cast<LPARAM>(&windows));
        Pump();
        SendMessageW(FindControl(form, kCacheAuto), BM_CLICK, 0, 0);
        SendMessageW(FindControl(form, kCacheAuto), BM_CLICK, 0, 0);
        const double a0 = NowMs();
        SendMessageW(FindControl(form, kAppliquer), BM_CLICK, 0, 0);
        bestApply = std::min(bestApply, NowMs() - a0);
        SendMessageW(DescendantWithId(form, IDCANCEL), BM_CLICK, 0, 0);
        Pump();
        if (windows > 0 && !baselineFirst) buttons.push_back(OpenEmpty(windows));
    }
    std::printf("%-44s  %8.1f ms  baseline %8.1f ms  ratio %5.2f  (target <= 1.3)\n",
                ("AFFICHEOPTION to first page painted, vs an empty dialog with " +
                 std::to_string(windows) + " plain buttons")
                    .c_str(),
                Median(opens), Median(buttons), Median(opens) / Median(buttons));
    std::printf("%-44s  %8.1f ms  (target <= 150 ms)\n", "AFFICHEOPTION to first page, absolute",
                Median(opens));
    std::printf(
        "(baseline: the empty dialog holding %d plain buttons, as many child windows as the "
        "options dialog shows; the empty dialog alone %.1f ms; medians of %zu turns; the best: "
        "dialog %.1f ms, plain buttons %.1f ms, bare kinds %.1f ms)\n",
        windows, bestEmpty, opens.size(), Best(opens), Best(buttons), Best(bare));
    std::printf("%-44s  %8.1f ms  baseline %8.1f ms  ratio %5.2f  (target none: the floor the "
                "kinds of window set, without the toolkit)\n",
                "the first page's kinds of window made bare, vs the plain buttons", Median(bare),
                Median(buttons), Median(bare) / Median(buttons));
    std::printf("%-44s  %8.1f ms\n", "the dialog alone, opened and painted", bestForm);
    std::printf("%-44s  %8.1f ms\n", "first show of the keyboard page (200 rows)", bestClavier);
    std::printf("%-44s  %8.1f ms  (target <= 50 ms)\n", "Appliquer, 200 bindings + 200 entries",
                bestApply);
    return 0;
}
