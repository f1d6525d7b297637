// The copy page in the real program beside the simulator, on Wine's real file
// system and shell: the list copy off the interface thread, its statuses kept
// across dialogs, a damaged list, and the folder browser.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "OptionsHarness.h"
#include "copy/ListCopy.h"
#include "player/Playlist.h"
#include "player/Winamp.h"

namespace pilotune::testing {
namespace {

namespace fs = std::filesystem;

fs::path Beside(const std::string& name) {
    return fs::path(Widen(ExecutablePath())).parent_path() / Widen(name);
}

bool AllStatuses(OptionsHarness& h, const std::string& status) {
    for (int r = 0; r < h.Rows(kOptCopieList); ++r)
        if (h.Cell(kOptCopieList, r, 2) != status) return false;
    return h.Rows(kOptCopieList) > 0;
}
void SetRange(OptionsHarness& h, int from, int to) {
    h.Spin(kOptCopieNumeroDe).SetPosition(from);
    h.Spin(kOptCopieNumeroA).SetPosition(to);
}
bool CopyOver(OptionsHarness& h) {
    return h.Loop([] { return !ListCopyRunning(); }, 20000);
}

struct CopyPageTest : ::testing::Test {
    void SetUp() override { h.Start(); }
    int Rows() { return h.Rows(kOptCopieList); }
    std::string Cell(int row, int column) { return h.Cell(kOptCopieList, row, column); }
    OptionsHarness h;
};

TEST_F(CopyPageTest, CopiedRowsKeepTheirStatusAcrossDialogsADamagedListIsSavedBackClean) {
    const fs::path dest = Beside("copie-page");
    fs::remove_all(dest);
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    SetWindowTextW(h.Item(kOptCopieChemin), dest.wstring().c_str());
    SetRange(h, 2, 4);
    h.Click(kOptCopieAjouter);
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 0), "2");
    EXPECT_EQ(Cell(2, 2), "");
    h.Click(kOptCopieCopier);
    ASSERT_TRUE(h.Loop([&] { return AllStatuses(h, "Copie réussi"); }, 20000))
        << Cell(0, 2) << " / " << Cell(2, 2);
    h.Shot("copie");
    for (int n = 2; n <= 4; ++n)
        EXPECT_TRUE(fs::exists(dest / Widen(std::string(FileNamePart(h.link.FichierTitre(n))))))
            << n;
    EXPECT_EQ(h.option.CopyPath, Narrow(dest.wstring()) + "\\");
    ASSERT_TRUE(CopyOver(h));
    h.Click(kOptCopieCopier);
    ASSERT_TRUE(h.Loop([&] { return AllStatuses(h, "Fichier déjà copier"); }, 20000));
    ASSERT_TRUE(CopyOver(h));

    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_NE(h.FileText().find("Erreur2=Fichier déjà copier"), std::string::npos);
    ASSERT_TRUE(h.OpenOn()); // on the copy page, the last one shown
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(1, 0), "3");
    EXPECT_EQ(Cell(1, 1), FileNamePart(h.link.FichierTitre(3)));
    EXPECT_TRUE(AllStatuses(h, "Fichier déjà copier"));
    fs::remove_all(dest);
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());

    // A damaged list opens with its good rows and is saved back clean.
    h.store.WriteText(kSectionCopie, "Nb", "40", true);
    h.store.WriteText(kSectionCopie, "Numero0", "2", true);
    h.store.WriteText(kSectionCopie, "Numero1", "deux", true);
    h.store.WriteText(kSectionCopie, "Numero2", "4", true);
    h.store.WriteText(kSectionCopie, "Erreur2", "Copie réussi", true);
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), "2");
    EXPECT_EQ(Cell(1, 0), "4");
    EXPECT_EQ(Cell(1, 2), "Copie réussi");
    h.Click(kOptCopieAfficheBT);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_EQ(h.store.ReadInteger(kSectionCopie, "Nb", -1, true), 2);
    EXPECT_EQ(h.store.ReadInteger(kSectionCopie, "Numero1", -1, true), 4);
    EXPECT_TRUE(h.option.AfficheBT);
}

TEST_F(CopyPageTest, TheFolderBrowserOpensOnTheFieldOrOnCOkTakesItsChoiceAnnulerNothing) {
    const fs::path there = L"C:\\copie parcourir été";
    fs::create_directories(there);
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    auto browse = [&](const std::wstring& field, WPARAM answer) {
        SetWindowTextW(h.Item(kOptCopieChemin), field.c_str());
        h.Click(kOptAppliquer);
        std::string selected, texts;
        ModalDriver driver(L"#32770", [&](HWND box) {
            auto read = [&] {
                HWND tree = FindWindowExW(box, nullptr, WC_TREEVIEWW, nullptr);
                wchar_t buffer[MAX_PATH] = {};
                TVITEMW item{.mask = TVIF_TEXT,
                             .hItem = tree ? TreeView_GetSelection(tree) : nullptr,
                             .pszText = buffer,
                             .cchTextMax = MAX_PATH};
                if (tree && item.hItem) TreeView_GetItem(tree, &item);
                return Narrow(buffer);
            };
            // The start folder is selected once the tree is filled.
            WaitFor([&] { return !read().empty(); }, 10000);
            selected = read();
            texts = ReadMessageBox(box);
            PostMessageW(box, WM_COMMAND, answer, 0);
        });
        h.Click(kOptCopieParcourir);
        driver.Join();
        EXPECT_TRUE(driver.found);
        EXPECT_NE(texts.find(kCopyFolderTitle), std::string::npos) << texts;
        return selected;
    };
    EXPECT_EQ(browse(there.wstring(), IDOK), "copie parcourir été");
    EXPECT_EQ(h.Text(kOptCopieChemin), Narrow(there.wstring()));
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
    const std::string c = browse(L"z:\\pas\\de\\dossier\\ici", IDCANCEL);
    EXPECT_NE(c.find("C:"), std::string::npos) << c;
    EXPECT_EQ(h.Text(kOptCopieChemin), "z:\\pas\\de\\dossier\\ici");
    EXPECT_FALSE(h.Enabled(kOptAppliquer));
    fs::remove_all(there);
}

// Forty files big enough that their copy lasts seconds, as the player's list.
struct FortyFiles {
    FortyFiles() {
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string block(1 << 20, 'm');
        for (int i = 1; i <= 40; ++i) {
            std::ofstream out(folder / (L"Piste " + std::to_wstring(100 + i) + L".mp3"),
                              std::ios::binary);
            for (int k = 0; k < kMegabytes; ++k)
                out << block;
        }
    }
    ~FortyFiles() { fs::remove_all(folder); }
    static constexpr int kMegabytes = 4;
    fs::path folder = Beside("quarante");
};

struct CopyWhilePlayingTest : ::testing::Test {
    CopyWhilePlayingTest() : h(Simulator::Options{.playlist = files.folder.wstring()}) {}
    FortyFiles files;
    OptionsHarness h;
};

TEST_F(CopyWhilePlayingTest, TheBarTicksAndKeysWorkWhileFortyFilesCopy) {
    h.Start();
    h.option.ClavierActiver = true; // the default bindings: "Touche P.Suivant" is next
    h.app.ApplySettings();
    ASSERT_TRUE(h.Loop([&] { return h.sim.User(kQueryState) == 1; }));
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    SetRange(h, 1, 40);
    h.Click(kOptCopieAjouter);
    ASSERT_EQ(h.Rows(kOptCopieList), 40);

    // The forty files are copied again into new folders until the copies have
    // lasted two seconds: long enough for the bar's clock to move.
    const std::string firstTime = h.bar.state.twins.duree.B().text;
    const int nextBefore = h.Logged(WM_COMMAND, kCmdNext, 0);
    bool keyDuringCopy = false, tickDuringCopy = false;
    ULONGLONG longestGap = 0, copying = 0;
    int rounds = 0;
    for (; rounds < 20 && copying < 2000; ++rounds) {
        const fs::path folder = Beside("quarante-copie-" + std::to_string(rounds));
        fs::remove_all(folder);
        SetWindowTextW(h.Item(kOptCopieChemin), folder.wstring().c_str());
        const ULONGLONG start = GetTickCount64();
        h.Click(kOptCopieCopier);
        EXPECT_LT(GetTickCount64() - start, 300u) << "the click waited for the copies";
        ASSERT_TRUE(ListCopyRunning());
        if (rounds == 0) {
            h.Click(kOptCopieCopier); // while one runs: nothing
            PressKey(VK_MEDIA_NEXT_TRACK);
        }
        ULONGLONG last = GetTickCount64();
        ASSERT_TRUE(h.Loop(
            [&] {
                const ULONGLONG now = GetTickCount64();
                longestGap = std::max(longestGap, now - last);
                last = now;
                if (ListCopyRunning()) {
                    keyDuringCopy |= h.Logged(WM_COMMAND, kCmdNext, 0) > nextBefore;
                    tickDuringCopy |= h.bar.state.twins.duree.B().text != firstTime;
                }
                return !ListCopyRunning();
            },
            120000));
        copying += GetTickCount64() - start;
        ASSERT_TRUE(h.Loop([&] { return AllStatuses(h, "Copie réussi"); }));
        fs::remove_all(folder);
    }
    EXPECT_LT(longestGap, 250u);
    EXPECT_TRUE(keyDuringCopy);
    EXPECT_TRUE(tickDuringCopy);
    std::printf("forty files of %d MB copied %d times in %llu ms\n", FortyFiles::kMegabytes, rounds,
                copying);
}

} // namespace
} // namespace pilotune::testing
