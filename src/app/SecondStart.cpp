#include "app/SecondStart.h"

#include "schedule/Action.h"

namespace pilotune {

namespace {
std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Cuts to at most `max` UTF-16 units, what an atom's name counts (a character
// beyond U+FFFF takes two), without splitting a UTF-8 sequence.
std::string CutCharacters(const std::string& s, std::size_t max) {
    std::size_t units = 0, i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) {
            const std::size_t width = b >= 0xF0 ? 2 : 1;
            if (units + width > max) break;
            units += width;
        }
        ++i;
    }
    return s.substr(0, i);
}
} // namespace

std::vector<SecondStartMessage> PlanSecondStart(const std::vector<std::string>& args,
                                                const KeywordLookup& keyword) {
    std::vector<SecondStartMessage> out;
    std::string buffer;
    auto flush = [&] {
        if (buffer.empty()) return;
        // Trimmed again after the cut, which may fall just after a blank.
        std::string text = Trim(CutCharacters(Trim(buffer), kMaxAtomText));
        buffer.clear();
        if (!text.empty()) out.push_back({true, 0, std::move(text)});
    };
    for (const std::string& arg : args) {
        if (auto action = keyword ? keyword(arg) : std::nullopt) {
            flush();
            out.push_back({false, *action, {}});
        } else {
            buffer += arg;
            buffer += ' ';
        }
    }
    flush();
    for (std::size_t i = 0; i + 1 < out.size(); ++i)
        out[i].textFollows = !out[i].isText && out[i + 1].isText;
    return out;
}

std::optional<SecondStartReceiver::Run> SecondStartReceiver::OnAction(std::uintptr_t wParam) {
    pending_ = static_cast<std::uint8_t>(wParam & 0xFF);
    if (pending_ == EXECUTER || pending_ == LECTUREPROGRAMME || pending_ == RELANCERACTION)
        return std::nullopt;
    if (pending_ == FONDU && (wParam & kTextFollows)) return std::nullopt;
    return Run{pending_, {}};
}

std::optional<SecondStartReceiver::Run>
SecondStartReceiver::OnText(const std::optional<std::string>& name) {
    if (pending_ == 0 || !name) return std::nullopt;
    return Run{pending_, *name};
}

} // namespace pilotune
