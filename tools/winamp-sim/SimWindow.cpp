#include "SimWindow.h"

#include "Library.h"
#include "SearchWindow.h"
#include "SimProtocol.h"

#include <cstdio>

namespace winampsim {
namespace {

constexpr wchar_t kClass[] = L"Winamp v1.x";
constexpr UINT_PTR kTimer = 1;
constexpr int kListId = 100;
constexpr WORD kPrevious = 40044, kPlay = 40045, kPause = 40046, kStop = 40047, kNext = 40048;
constexpr WORD kRepeat = 40022;
constexpr WORD kShuffle = 40023, kClose = 40001, kSearch = 40194;
constexpr WORD kButtonIds[5] = {kPrevious, kPlay, kPause, kStop, kNext};
constexpr const wchar_t* kButtonTexts[5] = {L"|<", L">", L"||", L"[]", L">|"};

std::wstring Clock(long long ms) {
    if (ms < 0) return L"-:--";
    long long s = ms / 1000;
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%lld:%02lld", s / 60, s % 60);
    return buf;
}

std::wstring ListLine(int index, const Track& t) {
    return std::to_wstring(index + 1) + L". " + t.title + L"  (" +
           Clock(t.seconds < 0 ? -1 : t.seconds * 1000LL) + L")";
}

} // namespace

SimWindow::SimWindow(Player& player, const std::wstring& logFile, ProfileAnswers& profile)
    : player_(player), log_(logFile), profile_(profile) {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    ncm.lfMessageFont.lfHeight = -15;
    font_ = CreateFontIndirectW(&ncm.lfMessageFont);
}

// The windows are left to the system when the process ends: under Wine with no
// window manager, destroying a shown top-level window waits two seconds for X.
SimWindow::~SimWindow() {
    if (font_) DeleteObject(font_);
}

double SimWindow::Now() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency_.QuadPart);
}

bool SimWindow::Create(int show) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassExW(&wc)) return false;
    player_.Advance(Now());
    hwnd_ = CreateWindowExW(0, kClass, Caption().c_str(), WS_OVERLAPPEDWINDOW, 560, 60, 440, 600,
                            nullptr, nullptr, inst, this);
    if (!hwnd_) return false;
    CreateControls();
    Refresh();
    SetTimer(hwnd_, kTimer, 50, nullptr);
    ShowWindow(hwnd_, show);
    return true;
}

LRESULT CALLBACK SimWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT SimWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool outside = msg == WM_USER || (msg == WM_COMMAND && lParam == 0) ||
                   (msg >= kSimBase && msg <= kSimLast);
    if (outside) {
        log_.Write(static_cast<long long>(Now()), msg, static_cast<long long>(wParam),
                   static_cast<long long>(lParam));
        player_.Advance(Now());
    }
    LRESULT result = 0;
    switch (msg) {
    case WM_USER:
        result = OnUser(wParam, lParam);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kListId) {
            if (HIWORD(wParam) != LBN_DBLCLK) return 0;
            LRESULT sel = SendMessageW(list_, LB_GETCURSEL, 0, 0);
            if (sel != LB_ERR) PostMessageW(hwnd_, kPlayEntry, static_cast<WPARAM>(sel), 0);
            return 0;
        }
        player_.Advance(Now());
        OnCommand(LOWORD(wParam));
        break;
    case kPlayEntry:
        player_.Advance(Now());
        if (player_.Select(static_cast<int>(wParam))) player_.Play();
        break;
    case WM_TIMER:
        player_.Advance(Now());
        break;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0); // the process ends with its windows, see ~SimWindow
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kTimer);
        if (search_ && IsWindow(search_)) DestroyWindow(search_);
        hwnd_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        if (msg >= kSimBase && msg <= kSimLast) {
            result = OnInspection(msg, wParam, lParam);
            break;
        }
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
    Refresh();
    return result;
}

LRESULT SimWindow::OnUser(WPARAM wParam, LPARAM lParam) {
    switch (lParam) {
    case 104:
        return static_cast<LRESULT>(player_.State());
    case 105:
        if (wParam == 0) return player_.PositionMs();
        if (wParam == 1) return player_.LengthSeconds();
        if (wParam == 2 && profile_.FullAnswers())
            return player_.LengthSeconds() < 0 ? -1 : player_.LengthSeconds() * 1000LL;
        return 0;
    case 106:
        return player_.Seek(static_cast<int>(wParam));
    case 120:
        profile_.WritePlaylist(player_.Tracks());
        answered125_ = player_.Current();
        return player_.Current();
    case 121:
        player_.Select(static_cast<int>(wParam));
        return 0;
    case 124:
        return player_.Count();
    case 125:
        return profile_.FullAnswers() ? player_.Current() : answered125_;
    case 250:
        return player_.Shuffle() ? 1 : 0;
    case 122: // wParam -666 asks the volume, any other sets it
        if (static_cast<int>(wParam) == -666)
            return profile_.AnswersVolume() ? player_.Volume() : 0;
        player_.SetVolume(static_cast<long long>(static_cast<int>(wParam)));
        return 0;
    case 251:
        return profile_.AnswersVolume() && player_.Repeat() ? 1 : 0;
    case 337:
    case 338:
        return profile_.FolderAddress(lParam == 338);
    default:
        return 0;
    }
}

void SimWindow::OnCommand(WORD id) {
    switch (id) {
    case kPrevious:
        player_.Previous();
        break;
    case kPlay:
        player_.Play();
        break;
    case kPause:
        if (profile_.PauseToggles() || player_.State() == PlayState::Playing) player_.TogglePause();
        break;
    case kStop:
        player_.Stop();
        break;
    case kNext:
        player_.Next();
        break;
    case kShuffle:
        player_.ToggleShuffle();
        break;
    case kRepeat:
        player_.ToggleRepeat();
        break;
    case kSearch:
        search_ = OpenSearchWindow(search_, hwnd_, player_.Tracks(), font_);
        break;
    case kClose:
        PostMessageW(hwnd_, WM_CLOSE, 0, 0); // answer the sender first, then close
        break;
    default:
        break;
    }
}

LRESULT SimWindow::OnInspection(UINT msg, WPARAM wParam, LPARAM lParam) {
    int track = static_cast<int>(wParam) - 1;
    switch (msg) {
    case kSimPing:
        return kSimPingAnswer;
    case kSimSetPosition: {
        if (!player_.SetPosition(static_cast<long long>(wParam))) return -1;
        player_.Advance(Now());
        return 0;
    }
    case kSimSetLength:
        if (!player_.SetLength(track, static_cast<int>(lParam))) return -1;
        if (list_) {
            SendMessageW(list_, LB_DELETESTRING, track, 0);
            std::wstring line = ListLine(track, player_.Tracks()[track]);
            SendMessageW(list_, LB_INSERTSTRING, track, reinterpret_cast<LPARAM>(line.c_str()));
            shownCurrent_ = -1;
        }
        return 0;
    case kSimFreeze:
        player_.Freeze(wParam != 0);
        return 0;
    case kSimHang:
        Sleep(static_cast<DWORD>(wParam > 60000 ? 60000 : wParam));
        return 0;
    case kSimSetSpeed:
        if (wParam == 0) return -1;
        player_.SetSpeed(static_cast<double>(wParam) / 1000.0);
        return 0;
    case kSimIsFrozen:
        return player_.Frozen() ? 1 : 0;
    case kSimGetLength:
        if (track < 0 || track >= player_.Count()) return -2;
        return player_.Tracks()[track].seconds;
    default:
        return 0;
    }
}

std::wstring SimWindow::Caption() const {
    if (player_.Count() == 0) return L"Winamp";
    std::wstring c = std::to_wstring(profile_.CaptionNumber(player_.Current())) + L". " +
                     player_.Tracks()[player_.Current()].title + L" - Winamp";
    if (player_.State() == PlayState::Paused) c += L" [Paused]";
    if (player_.State() == PlayState::Stopped) c += L" [Stopped]";
    return c;
}

std::wstring SimWindow::Status() const {
    const wchar_t* state = player_.State() == PlayState::Playing  ? L"Lecture"
                           : player_.State() == PlayState::Paused ? L"Pause"
                                                                  : L"Arrêt";
    long long len = player_.LengthSeconds() < 0 ? -1 : player_.LengthSeconds() * 1000LL;
    std::wstring s =
        std::wstring(state) + L"   " + Clock(player_.PositionMs()) + L" / " + Clock(len);
    if (player_.Shuffle()) s += L"   aléatoire";
    if (player_.Frozen()) s += L"   (horloge figée)";
    if (player_.Speed() != 1.0) {
        wchar_t buf[32];
        std::swprintf(buf, 32, L"   x%g", player_.Speed());
        s += buf;
    }
    return s;
}

void SimWindow::CreateControls() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, 0, 0,
                              0, hwnd_, nullptr, inst, nullptr);
    for (int i = 0; i < 5; ++i)
        buttons_[i] = CreateWindowExW(
            0, L"BUTTON", kButtonTexts[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kButtonIds[i])), inst, nullptr);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), inst, nullptr);
    for (HWND w : {status_, list_})
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (HWND w : buttons_)
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    FillList();
    Layout();
}

void SimWindow::Layout() {
    if (!list_) return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const int pad = 8, row = 26;
    MoveWindow(status_, pad, pad, rc.right - 2 * pad, 20, TRUE);
    for (int i = 0; i < 5; ++i)
        MoveWindow(buttons_[i], pad + i * 48, pad + 24, 44, row, TRUE);
    int top = pad + 24 + row + pad;
    MoveWindow(list_, pad, top, rc.right - 2 * pad, rc.bottom - top - pad, TRUE);
}

void SimWindow::FillList() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < player_.Count(); ++i) {
        std::wstring line = ListLine(i, player_.Tracks()[i]);
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    shownCurrent_ = -1;
}

void SimWindow::Refresh() {
    if (!hwnd_) return;
    wchar_t buf[1024];
    std::wstring caption = Caption();
    GetWindowTextW(hwnd_, buf, 1024);
    if (caption != buf) SetWindowTextW(hwnd_, caption.c_str());
    std::wstring status = Status();
    GetWindowTextW(status_, buf, 1024);
    if (status != buf) SetWindowTextW(status_, status.c_str());
    if (shownCurrent_ != player_.Current() && player_.Count() > 0) {
        SendMessageW(list_, LB_SETCURSEL, player_.Current(), 0);
        shownCurrent_ = player_.Current();
    }
}

} // namespace winampsim
