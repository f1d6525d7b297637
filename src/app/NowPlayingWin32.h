#pragma once
// The now-playing file: each text given is written to its file on a worker
// thread, whole or not at all (a temporary file beside it, then a replace),
// the newest text only when several wait. A failure is told once, and again
// only after a success (or for another file).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/MessageWindowWin32.h"

namespace pilotune {

// Writes `bytes` to `path` through a temporary file in its folder that then
// replaces it; empty on success, else the system's text for the error.
std::string WriteFileWhole(const std::string& path, const std::string& bytes);

class NowPlayingFile {
  public:
    // `failed` gets the French message, on the thread that made the object.
    explicit NowPlayingFile(std::function<void(const std::string& message)> failed);
    ~NowPlayingFile(); // stops the worker, waiting at most kStopMs
    NowPlayingFile(const NowPlayingFile&) = delete;
    NowPlayingFile& operator=(const NowPlayingFile&) = delete;

    // Queues the text for the file; returns at once.
    void Write(const std::string& path, const std::string& text);
    // The writes whose outcome has come back to this thread.
    int Results() const { return results_; }

    static constexpr int kStopMs = 2000;

  private:
    struct Shared;
    static constexpr UINT kMsgWritten = WM_APP + 20;
    bool Start();
    void OnWritten();
    // One write's end: a failure is told unless the user knows of it already.
    void WriteEnded(const std::string& path, const std::string& error);

    std::function<void(const std::string&)> failed_;
    std::shared_ptr<Shared> shared_;
    MessageWindow window_;
    int results_ = 0;
    bool told_ = false;    // the last outcome was a failure the user was told of
    std::string toldPath_; // for this file
};

} // namespace pilotune
