#pragma once
// The about box's text and the film-credits scrolling of the read-me.
#include <string>

namespace pilotune {

// "Version : " followed by the program's file version.
std::string VersionText(const std::string& fileVersion);

// Where the failure log lies, for the user who asks for help.
std::string LogPlaceText(const std::string& logPath);

// The notice under the scrolling read-me.
extern const char kAvertissement[];

// The read-me label inside its frame: it rises one pixel per step; once the
// whole text has left the frame at the top, it comes in again from the bottom.
struct Defilement {
    int top = 200;         // of the text, in the frame
    int height = 0;        // of the whole text
    int frameHeight = 257; // of the frame
    bool running = true;

    void Step();
    // A click on the text: pause, or go on.
    void Toggle() { running = !running; }
};

} // namespace pilotune
