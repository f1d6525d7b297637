// The standard controls of the toolkit on a real dialog under Wine.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "Waiting.h"
#include "base/EncodingWin32.h"
#include "components/SpinEditWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/DialogWin32.h"
#include "ui/EditWin32.h"
#include "ui/FileDialogsWin32.h"
#include "ui/ListViewWin32.h"
#include "ui/TooltipWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr int kList = 401, kCombo = 402, kTyping = 403, kCheck = 404, kSpin = 405, kEdit = 406;

struct Board final : Dialog {
    ~Board() override { Destroy(); }
    void Open() {
        Create(L"PilotuneTestBoard", {.caption = "Contrôles", .client = {400, 300}});
        list.Create(*this, {8, 8, 384, 150}, kList);
        combo.Create(*this, {8, 170, 150, 120}, kCombo);
        typing.Create(*this, {170, 170, 150, 120}, kTyping, kAnchorTopLeft, ComboBox::Typing);
        check.Create(*this, "Forcer", {8, 200, 100, 17}, kCheck);
        spin.Create(*this, {8, 230, 0, 0}, kSpin);
        edit.Create(*this, "", {170, 230, 150, 22}, kEdit);
    }
    ListView list;
    ComboBox combo, typing;
    CheckBox check;
    SpinEdit spin;
    Edit edit;
};

void Key(HWND control, WORD vk) {
    SendMessageW(control, WM_KEYDOWN, vk, 1);
    SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
}

} // namespace

TEST(Controls, TheListViewKeepsRowsChecksHintsAndReportsWhatTheUserDoes) {
    Board board;
    board.Open();
    ListView& list = board.list;
    std::vector<ListViewEvent> events;
    list.onEvent = [&](const ListViewEvent& e) { events.push_back(e); };

    EXPECT_EQ(list.AddColumn("Action", 150), 0);
    EXPECT_EQ(list.AddColumn("Paramètre", 200), 1);
    EXPECT_EQ(list.InsertRow("Jouer", -1, "Lance la lecture"), 0);
    EXPECT_EQ(list.InsertRow("Arrêter l'ordinateur", -1, "Compte à rebours"), 1);
    EXPECT_EQ(list.InsertRow("Pause", 1), 1); // before the second row
    list.SetCell(2, 1, "10 s");
    list.SetChecked(0, true);
    list.Select(2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Cell(1, 0), "Pause");
    EXPECT_EQ(list.Cell(2, 0), "Arrêter l'ordinateur");
    EXPECT_EQ(list.Cell(2, 1), "10 s");
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(2));
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_EQ(list.Hint(2), "Compte à rebours"); // hints move with their rows
    EXPECT_EQ(list.Hint(1), "");
    EXPECT_TRUE(events.empty()) << "changes made by the program are not the user's";

    // The hint is what the list view shows as the row's tip.
    wchar_t tip[128] = L"";
    NMLVGETINFOTIPW info{};
    info.hdr = {list.Handle(), static_cast<UINT_PTR>(kList), LVN_GETINFOTIPW};
    info.pszText = tip;
    info.cchTextMax = 128;
    info.iItem = 2;
    SendMessageW(board.Handle(), WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(Narrow(tip), "Compte à rebours");

    // The user's keys: Space ticks the focused row, Up moves the selection.
    Key(list.Handle(), VK_SPACE);
    Key(list.Handle(), VK_UP);
    EXPECT_TRUE(list.Checked(2));
    EXPECT_EQ(list.Selected(), 1);
    const std::vector<ListViewEvent> expected = {
        {ListViewEvent::Key, -1, -1, false, VK_SPACE}, {ListViewEvent::Checked, 2, -1, true},
        {ListViewEvent::Key, -1, -1, false, VK_UP},    {ListViewEvent::Selected, 2, -1, false},
        {ListViewEvent::Selected, 1, -1, true},
    };
    EXPECT_EQ(events, expected); // focus-only changes are no events

    list.DeleteRow(0);
    EXPECT_EQ(list.Hint(1), "Compte à rebours");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Hint(0), "");
}

TEST(Controls, CombosChecksEditsAndTheSpinEditSpeakUtf8) {
    Board board;
    board.Open();
    board.combo.SetItems({"Arrêter l'ordinateur", "Rédémarrer l'ordinateur"});
    EXPECT_EQ(board.combo.Count(), 2);
    EXPECT_EQ(board.combo.Selected(), -1);
    board.combo.Select(1);
    EXPECT_EQ(board.combo.SelectedItem(), "Rédémarrer l'ordinateur");
    EXPECT_EQ(board.combo.Item(5), "");
    board.typing.Add("C:\\Musique");
    board.typing.SetText("D:\\Été");
    EXPECT_EQ(board.typing.Text(), "D:\\Été");
    EXPECT_EQ(board.typing.Selected(), -1);

    EXPECT_FALSE(board.check.Checked());
    SendMessageW(board.check.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(board.check.Checked());

    board.edit.SetText("Soirée « calme »");
    EXPECT_EQ(board.edit.Text(), "Soirée « calme »");

    // The spin edit is placed at its design size with the dialog's font.
    ASSERT_NE(board.spin.Handle(), nullptr);
    EXPECT_EQ(ClientSize(board.Handle()).cx, 400);
    RECT r{};
    GetWindowRect(board.spin.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 121);
    EXPECT_EQ(r.bottom - r.top, 25);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(board.spin.Handle(), WM_GETFONT, 0, 0)),
              board.Font());
    board.spin->SetPosition(3725);
    EXPECT_EQ(board.spin->Text(), "01h 02m 05s");
}

TEST(Controls, OneTooltipServesManyControls) {
    Board board;
    board.Open();
    Tooltip tips;
    ASSERT_TRUE(tips.Create(board.Handle()));
    tips.Add(board.check.Handle(), "Ferme les programmes sans leur demander");
    tips.Add(board.edit.Handle(), "Dossier de copie");
    EXPECT_EQ(tips.Text(board.check.Handle()), "Ferme les programmes sans leur demander");
    EXPECT_EQ(tips.Text(board.edit.Handle()), "Dossier de copie");
    tips.SetText(board.edit.Handle(), "Dossier où copier les titres");
    EXPECT_EQ(tips.Text(board.edit.Handle()), "Dossier où copier les titres");
    EXPECT_EQ(SendMessageW(tips.Handle(), TTM_GETTOOLCOUNT, 0, 0), 2);
}

TEST(Controls, TheFolderDialogTakesItsTitleAndStartsOnTheFolder) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = Narrow(temp) + "Pilotune été";
    std::filesystem::create_directories(std::filesystem::path(Widen(folder)));
    std::string seen;
    std::optional<std::string> chosen;
    {
        ModalDriver user(L"#32770", [&](HWND box) {
            seen = ReadMessageBox(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0); // the start folder is selected
        });
        chosen = ChooseFolder(nullptr, "Dossier de copie des titres :", folder);
    }
    EXPECT_NE(seen.find("Dossier de copie des titres :"), std::string::npos);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder);
    std::filesystem::remove_all(std::filesystem::path(Widen(folder)));
}
