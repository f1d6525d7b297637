#pragma once
// The program's copies: the copy page's list and the bar's playing track, each
// on a worker of its own. They outlive the window that started them: their
// statuses come back here by message, reach the stored list at once and the
// copy page while it shows the list. Closing the program stops them within a
// bound, keeping the statuses of the files already copied.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "copy/ListCopy.h"
#include "copy/ListCopyHost.h"
#include "copy/ListCopyWin32.h"
#include "ui/MessageWindowWin32.h"

namespace pilotune {

class SettingsStore;

class Copies final : public ListCopyHost {
  public:
    explicit Copies(SettingsStore& store);
    ~Copies() override; // stops both workers
    Copies(const Copies&) = delete;
    Copies& operator=(const Copies&) = delete;
    bool Create(); // the window the workers report to

    bool Running() const override { return list_.Running(); }
    bool Start(const std::string& folder, const std::vector<CopyRow>& rows,
               const std::vector<std::string>& sources) override;
    long long IdOf(int storedRow) const override { return run_.IdOf(storedRow); }
    void Saved(const std::vector<long long>& ids) override { run_.Saved(ids); }
    void Watch(ListCopyWatcher* watcher) override { watcher_ = watcher; }

    // Copies one file; `done` gets its status here. False while one runs.
    bool CopyTrack(const std::string& folder, const std::string& source,
                   std::function<void(const std::string&)> done);
    // Stops both copies (at most kCopyStopMs each) and stores what they reported.
    void Stop();

  private:
    static constexpr UINT kMsgStatus = WM_APP + 10;
    static constexpr UINT kMsgFinished = WM_APP + 11;
    static constexpr UINT kMsgTrack = WM_APP + 12;
    void OnMessage(UINT msg);
    void ShowStatuses();

    SettingsStore& store_;
    CopyListRun run_;
    CopyWorker list_, track_;
    std::shared_ptr<CopyStatusMailbox> statuses_, trackStatus_;
    std::function<void(const std::string&)> trackDone_;
    ListCopyWatcher* watcher_ = nullptr;
    ULONGLONG shownAt_ = 0;    // GetTickCount64 of the last showing
    bool showWaiting_ = false; // the timer will show them
    MessageWindow window_;
};

} // namespace pilotune
