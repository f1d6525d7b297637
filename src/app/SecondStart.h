#pragma once
// A second start of the program hands its command line to the running one:
// keywords (action names) become message 1024, the texts between them message
// 1025 with a global atom. Here the decisions; the Win32 side sends and reads.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

inline constexpr unsigned kMsgSecondStartAction = 1024; // wParam: action number
inline constexpr unsigned kMsgSecondStartText = 1025;   // wParam: global atom of the text
inline constexpr std::size_t kMaxAtomText = 255;
// Beside the action number in message 1024's wParam: a text follows. An
// action whose text is optional (FONDU's length) then waits for it instead of
// running at once; the others read only the low byte.
inline constexpr std::uintptr_t kTextFollows = 0x100;
// Held by the running instance from its first instant, per Windows session:
// a second start during the first one's start-up (up to 30 s while the
// player launches) waits for its bar instead of opening a second program.
inline constexpr wchar_t kInstanceMutex[] = L"Local\\Pilotune.Instance";
// How long such a second start waits for the bar before it gives up.
inline constexpr unsigned kWaitForBarMs = 40000;

struct SecondStartMessage {
    bool isText = false;
    int action = 0;           // when !isText
    std::string text;         // when isText: trimmed, never empty
    bool textFollows = false; // when !isText: the next message is a text
    bool operator==(const SecondStartMessage&) const = default;
};

// Action number of a keyword (whole name, ASCII case ignored), or nothing.
using KeywordLookup = std::function<std::optional<int>(std::string_view)>;

// The messages a second start sends, in order. Texts longer than an atom can
// hold are cut to kMaxAtomText UTF-16 units, as Windows counts an atom's name
// (UTF-8 safe).
std::vector<SecondStartMessage> PlanSecondStart(const std::vector<std::string>& args,
                                                const KeywordLookup& keyword);

// The running bar's side: remembers the pending action and says what to run.
class SecondStartReceiver {
  public:
    struct Run {
        int action;
        std::string text;
    };
    // Message 1024: the low byte of wParam is the pending action; actions that
    // take a text wait for it, and so do those whose text is optional when
    // kTextFollows says it comes; the others run at once.
    std::optional<Run> OnAction(std::uintptr_t wParam);
    // Message 1025 with the atom's name (nullopt when it could not be read).
    std::optional<Run> OnText(const std::optional<std::string>& name);
    std::uint8_t Pending() const { return pending_; }

  private:
    std::uint8_t pending_ = 0;
};

} // namespace pilotune
