#include "app/NowPlayingWin32.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "base/HandleWin32.h"
#include "player/WinampWin32.h"

namespace pilotune {

std::string WriteFileWhole(const std::string& path, const std::string& bytes) {
    const std::wstring target = Widen(path);
    const std::wstring temporary = target + L".tmp";
    // A file made read-only is not replaced, whichever system runs the
    // program (Wine's replace would take it).
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return SystemErrorText(ERROR_ACCESS_DENIED);
    DWORD error = ERROR_SUCCESS;
    {
        KernelHandle file{CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (!file) return SystemErrorText(GetLastError());
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr))
            error = GetLastError();
        else if (written != bytes.size())
            error = ERROR_DISK_FULL;
    }
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        error = GetLastError();
    if (error == ERROR_SUCCESS) return {};
    DeleteFileW(temporary.c_str());
    return SystemErrorText(error);
}

struct NowPlayingFile::Shared {
    struct Job {
        std::string path, text;
    };
    struct Outcome {
        std::string path, error;
    };
    std::mutex mutex;
    std::condition_variable wake, ended;
    std::optional<Job> waiting; // the newest text not yet written
    std::deque<Outcome> outcomes;
    bool stop = false, done = false;
    HWND window = nullptr;
    std::thread thread;

    void Run() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return stop || waiting; });
            if (stop) break;
            Job job = std::move(*waiting);
            waiting.reset();
            lock.unlock();
            std::string error;
            try {
                error = WriteFileWhole(job.path, job.text);
            } catch (...) {
                error = "Erreur inattendue";
            }
            lock.lock();
            outcomes.push_back({std::move(job.path), std::move(error)});
            PostMessageW(window, kMsgWritten, 0, 0);
        }
        done = true;
        ended.notify_all();
    }
};

NowPlayingFile::NowPlayingFile(std::function<void(const std::string&)> failed)
    : failed_(std::move(failed)), window_([this](UINT msg, WPARAM, LPARAM) {
          if (msg == kMsgWritten) OnWritten();
      }) {}

NowPlayingFile::~NowPlayingFile() {
    if (!shared_) return;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->wake.notify_all();
    const bool ended = shared_->ended.wait_for(lock, std::chrono::milliseconds(kStopMs),
                                               [&] { return shared_->done; });
    lock.unlock();
    if (ended)
        shared_->thread.join();
    else
        shared_->thread.detach(); // a write that hangs: it holds its own state
}

bool NowPlayingFile::Start() {
    if (shared_) return true;
    if (!window_.Handle() && !window_.Create()) return false;
    auto shared = std::make_shared<Shared>();
    shared->window = window_.Handle();
    try {
        shared->thread = std::thread([shared] { shared->Run(); });
    } catch (...) { // no thread could be made
        return false;
    }
    shared_ = std::move(shared);
    return true;
}

void NowPlayingFile::Write(const std::string& path, const std::string& text) {
    if (!Start()) {
        WriteEnded(path, "le programme n'a pas pu lancer l'écriture.");
        return;
    }
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->waiting = Shared::Job{path, text};
    shared_->wake.notify_all();
}

void NowPlayingFile::OnWritten() {
    std::deque<Shared::Outcome> outcomes;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        outcomes.swap(shared_->outcomes);
    }
    for (const Shared::Outcome& o : outcomes)
        WriteEnded(o.path, o.error);
}

void NowPlayingFile::WriteEnded(const std::string& path, const std::string& error) {
    ++results_;
    if (error.empty()) {
        told_ = false;
    } else if (!told_ || path != toldPath_) {
        told_ = true;
        toldPath_ = path;
        LogFailure("Titre en cours non écrit dans « " + path + " » : " + error, 0);
        failed_("Titre en cours non écrit : " + error);
    }
}

} // namespace pilotune
