#pragma once
// A small real HTTP server on 127.0.0.1 for the update check: GET only, files
// from a map, 404 for the rest, one connection at a time on its own thread.
// While held, it reads every request and answers none of them until released.
#include <winsock2.h>

#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace pilotune::testing {

class HttpServer {
  public:
    HttpServer() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = Bound(port_);
        listen(listener_, 8);
        thread_ = std::thread([this] { Serve(); });
    }
    ~HttpServer() {
        stop_ = true;
        closesocket(listener_);
        thread_.join();
        for (auto& [c, path] : held_)
            closesocket(c); // unanswered: the client sees the connection drop
        WSACleanup();
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    void Put(const std::string& path, const std::string& body) {
        std::lock_guard lock(mutex_);
        files_[path] = body;
    }
    // Held, requests get no answer; released, the held ones are answered now.
    void Hold(bool on) {
        std::lock_guard lock(mutex_);
        hold_ = on;
        if (on) return;
        for (auto& [c, path] : held_)
            Answer(c, path);
        held_.clear();
    }
    int Requests() const { return requests_; }

    // A port where nothing listens: a server that is down.
    static std::string DownAddress() {
        int port = 0;
        closesocket(Bound(port));
        return "http://127.0.0.1:" + std::to_string(port);
    }

  private:
    // A socket bound to a free port of 127.0.0.1, given in `port`.
    static SOCKET Bound(int& port) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a));
        int len = sizeof(a);
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
        return s;
    }

    void Serve() {
        while (!stop_) {
            SOCKET c = accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) break;
            std::string request;
            char buf[2048];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int n = recv(c, buf, sizeof(buf), 0);
                if (n <= 0) break;
                request.append(buf, static_cast<size_t>(n));
            }
            const auto sp = request.find(' ');
            const auto sp2 = request.find(' ', sp + 1);
            const std::string path =
                sp == std::string::npos ? "" : request.substr(sp + 1, sp2 - sp - 1);
            std::lock_guard lock(mutex_);
            ++requests_;
            if (hold_)
                held_.emplace_back(c, path);
            else
                Answer(c, path);
        }
    }

    // Called with the mutex held.
    void Answer(SOCKET c, const std::string& path) {
        std::string status = "404 Not Found", body = "introuvable";
        if (auto it = files_.find(path); it != files_.end()) {
            status = "200 OK";
            body = it->second;
        }
        const std::string answer =
            "HTTP/1.1 " + status +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        send(c, answer.data(), static_cast<int>(answer.size()), 0);
        shutdown(c, SD_SEND);
        closesocket(c);
    }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::map<std::string, std::string> files_;
    bool hold_ = false;
    std::vector<std::pair<SOCKET, std::string>> held_;
    std::atomic<int> requests_{0};
};

} // namespace pilotune::testing
