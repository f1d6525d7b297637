#pragma once
// The simulator's main window, class "Winamp v1.x": answers the player's
// window messages and the inspection ones, and shows the playlist, the current
// entry, the play state and the time.
#include "MessageLog.h"
#include "Player.h"
#include "Profile.h"

#include <windows.h>

#include <string>

namespace winampsim {

class SimWindow {
  public:
    SimWindow(Player& player, const std::wstring& logFile, ProfileAnswers& profile);
    ~SimWindow();
    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;

    bool Create(int show); // false when the window could not be created
    HWND Handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnUser(WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id);
    LRESULT OnInspection(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void Layout();
    void FillList();
    void Refresh();
    std::wstring Caption() const;
    std::wstring Status() const;
    void OpenSearch();
    double Now() const;

    Player& player_;
    MessageLog log_;
    ProfileAnswers& profile_;
    int answered125_ = 0; // foobar2000: the entry of the last playlist request
    HWND hwnd_ = nullptr;
    HWND status_ = nullptr;
    HWND list_ = nullptr;
    HWND buttons_[5] = {};
    HWND search_ = nullptr;
    HFONT font_ = nullptr;
    LARGE_INTEGER start_{}, frequency_{};
    int shownCurrent_ = -1;
};

} // namespace winampsim
