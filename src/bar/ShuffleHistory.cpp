#include "bar/ShuffleHistory.h"

#include "player/Playlist.h"
#include "player/Winamp.h"

namespace pilotune {

void ShuffleHistory::Reset() {
    slots_.fill(0);
    head_ = cursor_ = 0;
    menuSlots_.fill(-1);
}

void ShuffleHistory::Record(int track) {
    if (track == 0 || track == slots_[cursor_]) return;
    head_ = Wrap(head_ + 1);
    slots_[Wrap(head_ + 1)] = 0;
    slots_[head_] = track;
    cursor_ = head_;
}

void ShuffleHistory::Back(TPilotune& player) {
    if (!player.HasardActif()) {
        player.Precedent();
        return;
    }
    cursor_ = Wrap(cursor_ - 1);
    if (cursor_ == Wrap(head_ + 1)) { // nothing older
        cursor_ = Wrap(cursor_ + 1);
        return;
    }
    if (slots_[cursor_] != 0) {
        player.JouerTitre(slots_[cursor_]);
    } else {
        player.Precedent();
        // A player that does not answer leaves the slot empty, not guessed.
        slots_[cursor_] = player.DemanderNumeroTitre().value_or(0);
    }
}

void ShuffleHistory::Forward(TPilotune& player) {
    const int next = Wrap(cursor_ + 1);
    if (player.HasardActif() && slots_[next] != 0) {
        cursor_ = next;
        player.JouerTitre(slots_[cursor_]);
    } else {
        player.Suivant();
    }
}

void ShuffleHistory::FillMenu(Menu& liste, TPilotune& player) {
    bool walking = true;
    for (int k = 0; k < kTrackMenuItems; ++k) {
        const int slot = Wrap(head_ - k);
        walking = walking && slots_[slot] != 0;
        MenuItem& item = liste[TrackItemName(k)];
        item.visible = walking;
        menuSlots_[k] = walking ? slot : -1;
        if (!walking) {
            item.caption.clear();
            item.checked = false;
            continue;
        }
        const int track = menuTracks_[k] = slots_[slot];
        item.caption =
            std::to_string(track) + ". " + std::string(FileNamePart(player.FichierTitre(track)));
        item.checked = slot == cursor_;
    }
}

void ShuffleHistory::MenuClick(int k, TPilotune& player) {
    if (k < 0 || k >= kTrackMenuItems || menuSlots_[k] < 0) return;
    player.JouerTitre(menuTracks_[k]);
    cursor_ = menuSlots_[k];
}

} // namespace pilotune
