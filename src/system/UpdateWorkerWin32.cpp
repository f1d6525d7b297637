#include "system/UpdateWorkerWin32.h"

#include <mutex>
#include <thread>

#include "settings/SettingsWin32.h"
#include "system/UpdateTransportWin32.h"

namespace pilotune {

namespace {
constexpr wchar_t kWorkerClass[] = L"PilotuneUpdateWorker";
constexpr UINT kWmCheckDone = WM_APP + 1;
constexpr UINT_PTR kLimitTimer = 1;
} // namespace

// Everything the check's thread touches: it holds the job to its end, so
// nothing it reaches is freed under it, whatever became of the worker. The
// job is also the check's transport: once abandoned, it fetches nothing more.
struct UpdateWorker::Job final : UpdateTransport {
    explicit Job(UpdateSetup s) : setup(std::move(s)) {}
    UpdateSetup setup;
    AnsiCodePageCodec ansi;
    std::unique_ptr<UpdateTransport> transport;
    std::mutex mutex;      // guards what follows
    HWND target = nullptr; // the worker's window; null once abandoned
    bool finished = false;
    UpdateResult result;

    bool Abandoned() {
        std::lock_guard lock(mutex);
        return target == nullptr;
    }

    std::string Download(const std::string& url, const std::string& path) override {
        if (Abandoned()) return "vérification abandonnée";
        return transport->Download(url, path);
    }

    void Run() noexcept {
        UpdateResult r;
        try {
            r = CheckForUpdate(setup, *this);
        } catch (...) {
            try {
                r = UpdateFailure(setup, "une erreur inattendue l'a interrompue");
            } catch (...) {
            }
        }
        std::lock_guard lock(mutex);
        result = std::move(r);
        finished = true;
        // Under the lock: the worker clears the target before its window goes.
        if (target) PostMessageW(target, kWmCheckDone, 0, 0);
    }
};

UpdateWorker::UpdateWorker(TransportMaker makeTransport, unsigned limitMs)
    : makeTransport_(std::move(makeTransport)), limitMs_(limitMs),
      alive_(std::make_shared<bool>(true)) {
    Create(kWorkerClass, 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

UpdateWorker::~UpdateWorker() {
    *alive_ = false;
    if (job_) {
        std::lock_guard lock(job_->mutex);
        job_->target = nullptr;
    }
    Destroy();
}

bool UpdateWorker::Start(UpdateSetup setup, Done done) {
    if (job_ || !Handle()) return false;
    try {
        auto job = std::make_shared<Job>(std::move(setup));
        if (!job->setup.codec) job->setup.codec = &job->ansi;
        job->transport =
            makeTransport_ ? makeTransport_() : std::make_unique<WinInetTransport>(5000);
        if (!job->transport) return false;
        job->target = Handle();
        std::thread([job] { job->Run(); }).detach();
        job_ = std::move(job);
        done_ = std::move(done);
        SetTimer(Handle(), kLimitTimer, limitMs_, nullptr);
        return true;
    } catch (...) {
        return false;
    }
}

void UpdateWorker::OnFinished() {
    if (!job_) return;
    UpdateResult result;
    {
        std::lock_guard lock(job_->mutex);
        if (!job_->finished || !job_->target) return;
        result = std::move(job_->result);
    }
    Deliver(result);
}

void UpdateWorker::OnLimit() {
    if (!job_) return;
    {
        std::lock_guard lock(job_->mutex);
        if (job_->finished) return; // its result is on its way
        job_->target = nullptr;
    }
    Deliver(UpdateFailure(job_->setup, "le serveur " + UpdateFileAddress(job_->setup.server) +
                                           " n'a pas répondu en " +
                                           std::to_string(limitMs_ / 1000) + " secondes"));
}

void UpdateWorker::Deliver(const UpdateResult& result) {
    KillTimer(Handle(), kLimitTimer);
    const std::shared_ptr<bool> alive = alive_;
    const Done done = std::move(done_);
    done_ = nullptr;
    try {
        if (done) done(result); // may show a modal window, during which this worker may go
    } catch (...) {
    }
    if (*alive) job_.reset();
}

LRESULT UpdateWorker::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kWmCheckDone) {
        OnFinished();
        return 0;
    }
    if (msg == WM_TIMER && wParam == kLimitTimer) {
        OnLimit();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
