#include "app/CopiesWin32.h"

#include "copy/MusicCopyWin32.h"

namespace pilotune {

namespace {
// The statuses of quick copies show a few at a time: the page is updated at
// most once per period, so that the interface thread does not compete with
// the worker for every file.
constexpr ULONGLONG kShowPeriodMs = 50;
constexpr UINT_PTR kShowTimer = 1;

ListCopyJob Job(const std::string& folder, std::shared_ptr<CopyStatusMailbox> to) {
    ListCopyJob job;
    job.folder = folder;
    job.files = [](const std::atomic<bool>& cancel) {
        return std::make_unique<DiskCopyFileSystem>(cancel);
    };
    job.copied = [to](long long id, const std::string& status) { to->Put(id, status); };
    return job;
}
} // namespace

Copies::Copies(SettingsStore& store)
    : store_(store), window_([this](UINT msg, WPARAM, LPARAM) { OnMessage(msg); }) {}

Copies::~Copies() {
    list_.Stop(kCopyStopMs);
    track_.Stop(kCopyStopMs);
}

bool Copies::Create() {
    return window_.Create();
}

bool Copies::Start(const std::string& folder, const std::vector<CopyRow>& rows,
                   const std::vector<std::string>& sources) {
    if (list_.Running() || !window_.Handle()) return false;
    ShowStatuses(); // the last copy's, before its names go
    run_.Begin(store_, rows);
    statuses_ = std::make_shared<CopyStatusMailbox>(window_.Handle(), kMsgStatus);
    ListCopyJob job = Job(folder, statuses_);
    for (std::size_t i = 0; i < sources.size() && i < rows.size(); ++i)
        job.items.push_back({static_cast<long long>(i), sources[i]});
    const HWND window = window_.Handle();
    job.finished = [window] { PostMessageW(window, kMsgFinished, 0, 0); };
    return list_.Start(std::move(job));
}

bool Copies::CopyTrack(const std::string& folder, const std::string& source,
                       std::function<void(const std::string&)> done) {
    if (track_.Running() || !window_.Handle()) return false;
    trackStatus_ = std::make_shared<CopyStatusMailbox>(window_.Handle(), kMsgTrack);
    ListCopyJob job = Job(folder, trackStatus_);
    job.items.push_back({0, source});
    trackDone_ = std::move(done);
    return track_.Start(std::move(job));
}

void Copies::Stop() {
    list_.Stop(kCopyStopMs);
    track_.Stop(kCopyStopMs);
    ShowStatuses();
}

void Copies::OnMessage(UINT msg) {
    if (msg == kMsgStatus) {
        const ULONGLONG since = GetTickCount64() - shownAt_;
        if (since >= kShowPeriodMs) {
            ShowStatuses();
        } else if (!showWaiting_) {
            showWaiting_ = true;
            window_.StartTimer(kShowTimer, static_cast<UINT>(kShowPeriodMs - since));
        }
    } else if (msg == WM_TIMER) {
        ShowStatuses();
    } else if (msg == kMsgFinished) {
        ShowStatuses();
        if (watcher_) watcher_->CopyFinished();
    } else if (msg == kMsgTrack && trackStatus_) {
        for (const auto& [id, status] : trackStatus_->Take())
            if (trackDone_) trackDone_(status);
    }
}

void Copies::ShowStatuses() {
    if (showWaiting_) window_.StopTimer(kShowTimer);
    showWaiting_ = false;
    shownAt_ = GetTickCount64();
    if (!statuses_) return;
    const auto taken = statuses_->Take();
    if (taken.empty()) return;
    for (const auto& [id, status] : taken)
        run_.Status(store_, id, status);
    if (watcher_) watcher_->CopyStatuses(taken);
}

} // namespace pilotune
