#include "system/UpdateTransportWin32.h"

#include "base/HandleWin32.h"

#include <windows.h>
#include <wininet.h>

#include <iterator>
#include <string>
#include <vector>

#include "base/EncodingWin32.h"

namespace pilotune {

namespace {

class InternetHandle {
  public:
    explicit InternetHandle(HINTERNET h) : h_(h) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (h_) InternetCloseHandle(h_);
    }
    HINTERNET get() const { return h_; }

  private:
    HINTERNET h_;
};

std::string Unreachable(const std::string& url) {
    return "le serveur " + url + " ne répond pas (réseau absent ou serveur arrêté)";
}

bool WriteWhole(const std::string& path, const std::vector<char>& bytes) {
    const std::wstring target = Widen(path);
    // A name of this thread's own: an abandoned check may still be writing.
    const std::wstring temp = target + Widen("." + std::to_string(GetCurrentThreadId()) + ".tmp");
    KernelHandle out{CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!out) return false;
    HANDLE h = out.Get();
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()),
                                                &written, nullptr) &&
                                      written == bytes.size());
    out.Reset();
    // An abandoned check that got its answer late may be reading or
    // replacing the same file this instant: try again for a moment (this
    // runs on the worker, never on the interface thread).
    bool moved = false;
    for (int attempt = 0; ok && !moved && attempt < 20; ++attempt) {
        moved = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        if (!moved) Sleep(25);
    }
    if (!moved) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

std::string WinInetTransport::Download(const std::string& url, const std::string& path) {
    const std::wstring wideUrl = Widen(url);
    wchar_t host[256] = {}, object[2048] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = static_cast<DWORD>(std::size(host));
    parts.lpszUrlPath = object;
    parts.dwUrlPathLength = static_cast<DWORD>(std::size(object));
    parts.dwExtraInfoLength = 1; // the query: a pointer into the address
    if (!InternetCrackUrlW(wideUrl.c_str(), 0, 0, &parts) || !host[0] ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return "l'adresse " + url + " n'est pas une adresse http:// ou https:// valable";
    std::wstring target = object[0] ? object : L"/";
    if (parts.lpszExtraInfo && parts.dwExtraInfoLength)
        target.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    InternetHandle session(
        InternetOpenW(L"Pilotune", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.get()) return Unreachable(url);
    InternetHandle connection(InternetConnectW(session.get(), host, parts.nPort, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.get()) return Unreachable(url);
    const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                        INTERNET_FLAG_NO_COOKIES | secure;
    InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", target.c_str(), nullptr,
                                            nullptr, nullptr, flags, 0));
    if (!request.get()) return Unreachable(url);
    // Down to the request: given to the session alone, the time-outs did not
    // hold under Wine, which then waited for a silent server without end.
    DWORD timeout = timeoutMs_;
    for (HINTERNET h : {session.get(), connection.get(), request.get()})
        for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT})
            InternetSetOptionW(h, option, &timeout, sizeof(timeout));
    if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return Unreachable(url);

    DWORD status = 0, size = sizeof(status);
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &size, nullptr))
        return "la réponse du serveur " + url + " n'est pas lisible";
    if (status != 200)
        return status == 404
                   ? "le fichier " + url + " n'existe pas sur le serveur (erreur 404)"
                   : "le serveur a répondu par l'erreur " + std::to_string(status) + " pour " + url;

    std::vector<char> bytes;
    char buffer[8192];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buffer, sizeof(buffer), &read))
            return "la réception de " + url + " a été interrompue";
        if (read == 0) break;
        if (bytes.size() + read > kUpdateMaxBytes)
            return "le fichier " + url + " est trop gros pour une description de mise à jour";
        bytes.insert(bytes.end(), buffer, buffer + read);
    }
    if (!WriteWhole(path, bytes)) return "impossible d'écrire le fichier " + path;
    return {};
}

} // namespace pilotune
