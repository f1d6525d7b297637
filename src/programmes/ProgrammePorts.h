#pragma once
// What programme recording and replay need from outside: the player link's
// operations, and the few things they change on the control bar.
#include <string>

#include "player/PlayerPorts.h"

namespace pilotune {

class ProgrammePlayer {
  public:
    virtual ~ProgrammePlayer() = default;
    virtual int NumeroTitre() = 0;        // 1-based position of the current track
    virtual void JouerTitre(int n) = 0;   // plays track n
    virtual void AllerA(int seconds) = 0; // seeks
    virtual int Position() = 0;           // elapsed seconds
    virtual void Jouer() = 0;
    virtual PlayerState Etat() = 0;
    virtual std::string FichierTitre(int n) = 0;
    // 1-based number of the first entry with this file name (any case), or 0.
    virtual int ChercherTitre(const std::string& fileName) = 0;
};

class ProgrammeBar {
  public:
    virtual ~ProgrammeBar() = default;
    // imgJoue / imgStop show the play / stop picture of the bar's set (the
    // playback monitor makes them blink while replay / recording is on).
    virtual void ShowPlayPicture() = 0;
    virtual void ShowStopPicture() = 0;
    // Check marks of mnuLireProg and mnuEnregistrerProg.
    virtual void CocherLireProg(bool checked) = 0;
    virtual void CocherEnregistrerProg(bool checked) = 0;
};

} // namespace pilotune
