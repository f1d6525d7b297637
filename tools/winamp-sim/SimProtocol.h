#pragma once
// Inspection messages of the player simulator (tools/winamp-sim), for tests.
// They live in the WM_APP range (0x8000 and up), which the real player's
// message table never uses. They work sent or posted, across processes.
// Every one of them is written to the simulator's log like the player's own.

namespace winampsim {

constexpr unsigned kSimBase = 0x8000 + 0x100; // WM_APP + 0x100

// Answers kSimPingAnswer: tells a test that the window is the simulator.
constexpr unsigned kSimPing = kSimBase + 0;
constexpr long kSimPingAnswer = 0x53494D; // "SIM"

// wParam = position in ms. 0 done; -1 when stopped. A position at or past
// the end of the track moves to the next entry at once.
constexpr unsigned kSimSetPosition = kSimBase + 1;

// wParam = track (1-based), lParam = length in seconds (-1: unknown, the
// track then never ends by itself). 0 done; -1 for a track outside the list.
constexpr unsigned kSimSetLength = kSimBase + 2;

// wParam 1 stops the clock (the position holds while "playing"), 0 restarts it.
constexpr unsigned kSimFreeze = kSimBase + 3;

// wParam = ms: the window procedure blocks that long, so a SendMessage to the
// window hangs. Send it with SendNotifyMessage so that the sender goes on and
// its next sent message queues behind the hang.
constexpr unsigned kSimHang = kSimBase + 4;

// wParam = speed factor x 1000 (e.g. 20000 for 20x). 0 done; -1 for 0.
constexpr unsigned kSimSetSpeed = kSimBase + 5;

// Answers 1 while the clock is frozen, else 0.
constexpr unsigned kSimIsFrozen = kSimBase + 6;

// wParam = track (1-based): answers its length in seconds (-1 unknown), or
// -2 for a track outside the list.
constexpr unsigned kSimGetLength = kSimBase + 7;

constexpr unsigned kSimLast = kSimGetLength;

} // namespace winampsim
