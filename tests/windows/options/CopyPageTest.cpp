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
#include "RecordingMessages.h"
#include "copy/ListCopy.h"
#include "copy/MusicCopy.h"
#include "options/CopyPageWin32.h"
#include "player/Playlist.h"
#include "player/Winamp.h"

namespace pilotune::testing {
namespace {

namespace fs = std::filesystem;

fs::path Beside(const std::string& name) {
    return fs::path(Widen(ExecutablePath())).parent_path() / Widen(name);
}

bool AllStatuses(OptionsHarness& h, const std::string& status) {
    for (int r = 0; r < h.Rows(kCopieList); ++r)
        if (h.Cell(kCopieList, r, 2) != status) return false;
    return h.Rows(kCopieList) > 0;
}
void SetRange(OptionsHarness& h, int from, int to) {
    h.Spin(kCopieNumeroDe).SetPosition(from);
    h.Spin(kCopieNumeroA).SetPosition(to);
}
bool CopyOver(OptionsHarness& h) {
    return h.Loop([&] { return !h.app.CopyJobs().Running(); }, 20000);
}

struct CopyPageTest : ::testing::Test {
    void SetUp() override { h.Start(); }
    int Rows() { return h.Rows(kCopieList); }
    std::string Cell(int row, int column) { return h.Cell(kCopieList, row, column); }
    OptionsHarness h;
};

TEST_F(CopyPageTest, CopiedRowsKeepTheirStatusAcrossDialogsADamagedListIsSavedBackClean) {
    const fs::path dest = Beside("copie-page");
    fs::remove_all(dest);
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    SetWindowTextW(h.Item(kCopieChemin), dest.wstring().c_str());
    SetRange(h, 2, 4);
    const int asked = h.Logged(WM_USER, -1, kQueryLength);
    h.Click(kCopieAjouter);
    ASSERT_EQ(Rows(), 3);
    EXPECT_LE(h.Logged(WM_USER, -1, kQueryLength) - asked, 2); // not once per row
    EXPECT_EQ(Cell(0, 0), "2");
    EXPECT_EQ(Cell(2, 2), "");
    h.Click(kCopieCopier);
    ASSERT_TRUE(h.Loop([&] { return AllStatuses(h, "Copie réussi"); }, 20000))
        << Cell(0, 2) << " / " << Cell(2, 2);
    h.Shot("copie");
    for (int n = 2; n <= 4; ++n)
        EXPECT_TRUE(fs::exists(dest / Widen(std::string(FileNamePart(h.link.FichierTitre(n))))))
            << n;
    EXPECT_EQ(h.option.CopyPath, Narrow(dest.wstring()) + "\\");
    ASSERT_TRUE(CopyOver(h));
    h.Click(kCopieCopier);
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

    // A damaged list opens with its good rows, a row without its number as
    // track 1, and is saved back clean.
    h.store.WriteText(kSectionCopie, "Nb", "4", true);
    h.store.WriteText(kSectionCopie, "Numero0", "2", true);
    h.store.WriteText(kSectionCopie, "Numero1", "deux", true);
    h.store.WriteText(kSectionCopie, "Numero2", "4", true);
    h.store.WriteText(kSectionCopie, "Erreur2", "Copie réussi", true);
    h.store.WriteText(kSectionCopie, "Erreur3", "", true);
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 0), "2");
    EXPECT_EQ(Cell(1, 0), "4");
    EXPECT_EQ(Cell(1, 2), "Copie réussi");
    EXPECT_EQ(Cell(2, 0), "1");
    h.Click(kCopieAfficheBT);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_EQ(h.store.ReadInteger(kSectionCopie, "Nb", -1, true), 3);
    EXPECT_EQ(h.store.ReadInteger(kSectionCopie, "Numero1", -1, true), 4);
    EXPECT_TRUE(h.option.AfficheBT);
}

TEST_F(CopyPageTest, TheFolderBrowserOpensOnTheFieldOrOnCOkTakesItsChoiceAnnulerNothing) {
    const fs::path there = L"C:\\copie parcourir été";
    fs::create_directories(there);
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    auto browse = [&](const std::wstring& field, WPARAM answer) {
        SetWindowTextW(h.Item(kCopieChemin), field.c_str());
        h.Click(kAppliquer);
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
        h.Click(kCopieParcourir);
        driver.Join();
        EXPECT_TRUE(driver.found);
        EXPECT_NE(texts.find(kCopyFolderTitle), std::string::npos) << texts;
        return selected;
    };
    EXPECT_EQ(browse(there.wstring(), IDOK), "copie parcourir été");
    EXPECT_EQ(h.Text(kCopieChemin), Narrow(there.wstring()));
    EXPECT_TRUE(h.Enabled(kAppliquer));
    const std::string c = browse(L"z:\\pas\\de\\dossier\\ici", IDCANCEL);
    EXPECT_NE(c.find("C:"), std::string::npos) << c;
    EXPECT_EQ(h.Text(kCopieChemin), "z:\\pas\\de\\dossier\\ici");
    EXPECT_FALSE(h.Enabled(kAppliquer));
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

// The program beside a simulator that plays the generated `Tracks`.
template <class Tracks> struct PlayingTracksTest : ::testing::Test {
    PlayingTracksTest() : h(Simulator::Options{.playlist = tracks.folder.wstring()}) {}
    Tracks tracks;
    OptionsHarness h;
};
using CopyWhilePlayingTest = PlayingTracksTest<FortyFiles>;

TEST_F(CopyWhilePlayingTest, TheBarTicksAndKeysWorkWhileFortyFilesCopy) {
    h.Start();
    h.option.ClavierActiver = true; // the default bindings: "Touche P.Suivant" is next
    h.app.ApplySettings();
    ASSERT_TRUE(h.Loop([&] { return h.sim.User(kQueryState) == 1; }));
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    SetRange(h, 1, 40);
    h.Click(kCopieAjouter);
    ASSERT_EQ(h.Rows(kCopieList), 40);

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
        SetWindowTextW(h.Item(kCopieChemin), folder.wstring().c_str());
        const ULONGLONG start = GetTickCount64();
        h.Click(kCopieCopier);
        EXPECT_LT(GetTickCount64() - start, 300u) << "the click waited for the copies";
        ASSERT_TRUE(h.app.CopyJobs().Running());
        if (rounds == 0) {
            h.Click(kCopieCopier); // while one runs: said so
            PressKey(VK_MEDIA_NEXT_TRACK);
        }
        ULONGLONG last = GetTickCount64();
        ASSERT_TRUE(h.Loop(
            [&] {
                const ULONGLONG now = GetTickCount64();
                longestGap = std::max(longestGap, now - last);
                last = now;
                if (h.app.CopyJobs().Running()) {
                    keyDuringCopy |= h.Logged(WM_COMMAND, kCmdNext, 0) > nextBefore;
                    tickDuringCopy |= h.bar.state.twins.duree.B().text != firstTime;
                }
                return !h.app.CopyJobs().Running();
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

// The playing track's copy runs on a worker: the bar shows its status when
// the worker reports it, then its title again.
TEST_F(CopyPageTest, TheBarCopiesThePlayingTrackOffItsThreadAndShowsTheStatusAfter) {
    const fs::path dest = Beside("copie-piste");
    fs::remove_all(dest);
    h.option.CopyPath = Narrow(dest.wstring());
    auto title = [&] { return h.bar.state.twins.titre.B().text; };
    ASSERT_TRUE(h.Loop([&] { return title().find(" - ") != std::string::npos; })); // ticked
    const std::string before = title();
    h.bar.dispatcher.ExecuterAction(COPIER, false);
    EXPECT_EQ(title(), before); // nothing shown until the worker reports
    ASSERT_TRUE(h.Loop([&] { return title() == before + " - Copie réussi"; })) << title();
    const std::string playing = h.link.FichierTitre(h.link.NumeroTitre());
    EXPECT_TRUE(fs::exists(dest / Widen(std::string(FileNamePart(playing)))));
    EXPECT_EQ(h.option.CopyPath, Narrow(dest.wstring()) + "\\");
    EXPECT_TRUE(h.Loop([&] { return title() == before; })) << title();
    fs::remove_all(dest);
}

// Small tracks 1 and 3 around tracks 2 and 4, large and sparse (no disk used)
// so that their copies last.
struct LargeTracks {
    LargeTracks() {
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (int i = 1; i <= 4; ++i) {
            std::ofstream out(folder / (L"Piste " + std::to_wstring(i) + L".mp3"),
                              std::ios::binary);
            if (i % 2 == 0) out.seekp((i == 2 ? 300ll : 2000ll) << 20);
            out << 'm';
        }
    }
    ~LargeTracks() { fs::remove_all(folder); }
    fs::path folder = Beside("longues");
};

using CopyOutlivesTheDialogTest = PlayingTracksTest<LargeTracks>;

TEST_F(CopyOutlivesTheDialogTest, StatusesReachTheListAndClosingStopsTheCopyLeavingNoPart) {
    RecordingMessages messages;
    const fs::path dest = Beside("copie-longue");
    fs::remove_all(dest);
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    SetWindowTextW(h.Item(kCopieChemin), dest.wstring().c_str());
    SetRange(h, 1, 4);
    h.Click(kCopieAjouter);
    h.Click(kCopieCopier);
    h.Click(IDCANCEL); // the copy goes on without its dialog
    ASSERT_TRUE(h.Closed());
    auto stored = [&](int row) {
        return h.store.ReadText(kSectionCopie, "Erreur" + std::to_string(row), "", true);
    };
    ASSERT_TRUE(h.Loop([&] { return stored(0) == "Copie réussi"; }));
    // A new dialog shows the running copy's rows, and their statuses as they come.
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    ASSERT_EQ(h.Rows(kCopieList), 4);
    EXPECT_EQ(h.Cell(kCopieList, 0, 2), "Copie réussi");
    ASSERT_TRUE(h.Loop([&] { return h.Cell(kCopieList, 2, 2) == "Copie réussi"; }, 20000));
    h.Click(kCopieCopier);
    EXPECT_EQ(messages.infos, std::vector<std::string>{kCopyRunning});

    // "Fermer Pilotune" while track 4 is being copied.
    const fs::path part = dest / L"Piste 4.mp3.copie-en-cours";
    ASSERT_TRUE(h.Loop([&] { return fs::exists(part); }, 20000));
    h.bar.dispatcher.ExecuterAction(FERMERPROG, false);
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(h.Loop([&] { return !IsWindow(h.app.Bar().Handle()); }));
    EXPECT_LT(GetTickCount64() - start, static_cast<ULONGLONG>(kCopyStopMs));
    EXPECT_FALSE(h.app.CopyJobs().Running());
    EXPECT_FALSE(fs::exists(part));
    EXPECT_FALSE(fs::exists(dest / L"Piste 4.mp3"));
    EXPECT_EQ(fs::file_size(dest / L"Piste 2.mp3"), (300u << 20) + 1);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(stored(row), "Copie réussi") << row;
    EXPECT_EQ(stored(3), "");
    fs::remove_all(dest);
}

} // namespace
} // namespace pilotune::testing
