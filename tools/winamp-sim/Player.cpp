#include "Player.h"

#include <algorithm>
#include <numeric>

namespace winampsim {

Player::Player(std::vector<Track> tracks, double speed, unsigned seed)
    : tracks_(std::move(tracks)), speed_(speed > 0 ? speed : 1.0), rng_(seed) {}

void Player::Advance(double nowMs) {
    if (lastNow_ >= 0 && state_ == PlayState::Playing && !frozen_ && nowMs > lastNow_)
        positionMs_ += (nowMs - lastNow_) * speed_;
    lastNow_ = nowMs;
    if (AtEnd()) {
        int next = -1;
        if (shuffle_) {
            int k = OrderIndexOf(current_);
            if (k >= 0 && k + 1 < static_cast<int>(order_.size())) next = order_[k + 1];
            if (next < 0 && repeat_ && !order_.empty()) next = order_[0];
        } else if (current_ + 1 < Count()) {
            next = current_ + 1;
        } else if (repeat_) {
            next = 0;
        }
        if (next >= 0) {
            MoveTo(next); // keeps playing
        } else {
            Stop(); // end of the playlist: stays on the last entry
        }
    }
}

bool Player::AtEnd() const {
    if (state_ != PlayState::Playing || tracks_.empty()) return false;
    int len = tracks_[current_].seconds;
    return len >= 0 && positionMs_ >= len * 1000.0;
}

long long Player::PositionMs() const {
    if (state_ == PlayState::Stopped) return -1;
    return static_cast<long long>(positionMs_);
}

int Player::LengthSeconds() const {
    if (tracks_.empty()) return -1;
    return tracks_[current_].seconds;
}

void Player::MoveTo(int index) {
    current_ = index;
    positionMs_ = 0;
}

void Player::Play() {
    if (tracks_.empty()) return;
    if (state_ != PlayState::Paused) positionMs_ = 0;
    state_ = PlayState::Playing;
}

void Player::TogglePause() {
    if (state_ == PlayState::Playing)
        state_ = PlayState::Paused;
    else if (state_ == PlayState::Paused)
        state_ = PlayState::Playing;
}

void Player::Stop() {
    state_ = PlayState::Stopped;
    positionMs_ = 0;
}

// Skipping while paused starts the new entry, as the real player does.
void Player::Next() {
    if (tracks_.empty()) return;
    if (shuffle_) {
        int k = OrderIndexOf(current_);
        MoveTo(order_[(k + 1) % order_.size()]);
    } else {
        MoveTo((current_ + 1) % Count());
    }
    if (state_ == PlayState::Paused) state_ = PlayState::Playing;
}

void Player::Previous() {
    if (tracks_.empty()) return;
    if (shuffle_) {
        int n = static_cast<int>(order_.size());
        int k = OrderIndexOf(current_);
        MoveTo(order_[(k + n - 1) % n]);
    } else {
        MoveTo((current_ + Count() - 1) % Count());
    }
    if (state_ == PlayState::Paused) state_ = PlayState::Playing;
}

void Player::ToggleShuffle() {
    shuffle_ = !shuffle_;
    if (shuffle_) NewShuffleOrder();
}

void Player::NewShuffleOrder() {
    order_.resize(tracks_.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::shuffle(order_.begin(), order_.end(), rng_);
    auto it = std::find(order_.begin(), order_.end(), current_);
    if (it != order_.end()) std::rotate(order_.begin(), it, it + 1); // current one first
}

int Player::OrderIndexOf(int index) const {
    auto it = std::find(order_.begin(), order_.end(), index);
    return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

int Player::Seek(long long ms) {
    if (state_ == PlayState::Stopped || tracks_.empty()) return -1;
    int len = tracks_[current_].seconds;
    if (len >= 0 && ms >= len * 1000LL) {
        positionMs_ = len * 1000.0;
        bool wasPaused = state_ == PlayState::Paused;
        state_ = PlayState::Playing;
        Advance(lastNow_);
        if (wasPaused && state_ == PlayState::Playing) state_ = PlayState::Paused;
        return 1;
    }
    positionMs_ = static_cast<double>(std::max(0LL, ms));
    return 0;
}

bool Player::Select(int index) {
    if (index < 0 || index >= Count()) return false;
    MoveTo(index);
    return true;
}

bool Player::SetPosition(long long ms) {
    if (state_ == PlayState::Stopped) return false;
    positionMs_ = static_cast<double>(std::max(0LL, ms));
    return true;
}

bool Player::SetLength(int index, int seconds) {
    if (index < 0 || index >= Count()) return false;
    tracks_[index].seconds = seconds < 0 ? -1 : seconds;
    return true;
}

void Player::SetSpeed(double speed) {
    if (speed > 0) speed_ = speed;
}

} // namespace winampsim
