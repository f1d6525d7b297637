// A second start's command line and the running bar's side of it, and the
// entry number of RELANCERACTION: every keyword becomes its action in order,
// the other arguments are joined into texts that an atom can hold, the bar
// runs only the action the low byte names, and a re-arm touches only the
// entry its number names.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <vector>

#include "FuzzSupport.h"
#include "app/SecondStart.h"
#include "schedule/Action.h"
#include "schedule/Planification.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using pilotune::fuzz::Check;

namespace {

struct FixedClock final : ScheduleClock {
    ClockReading Read() override { return {45000, 43200, 3}; }
};

// UTF-16 code units of a UTF-8 text: what Windows counts in an atom's name.
std::size_t Utf16Units(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80) n += b >= 0xF0 ? 2 : 1;
    }
    return n;
}

std::optional<int> Keyword(std::string_view word) {
    if (auto a = ActionParNom(word)) return static_cast<int>(*a);
    return std::nullopt;
}

void CheckLeadingNumber(const std::string& text) {
    const int n = LeadingNumber(text);
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) i = text.size();
    const bool sign = i < text.size() && (text[i] == '-' || text[i] == '+');
    const std::size_t digits = i + (sign ? 1 : 0);
    std::size_t end = digits;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == digits) {
        Check(n == 0, "a text without a leading number reads as 0", text);
        return;
    }
    std::size_t first = digits;
    while (first + 1 < end && text[first] == '0')
        ++first;
    const long long value = std::stoll(text.substr(first, std::min<std::size_t>(end - first, 12)));
    const long long expected = (sign && text[i] == '-') ? -value : value;
    if (expected > INT_MAX)
        Check(n == INT_MAX, "a large number saturates", text);
    else if (expected < INT_MIN)
        Check(n == INT_MIN, "a large negative number saturates", text);
    else
        Check(n == expected, "the leading number is read", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);

    std::vector<std::string> args;
    for (int i = in.ConsumeIntegralInRange(0, 12); i > 0; --i)
        args.push_back(in.ConsumeBool() ? std::string(NomAction(in.ConsumeIntegralInRange(0, 32)))
                                        : in.ConsumeRandomLengthString(200));
    const auto plan = PlanSecondStart(args, Keyword);
    std::size_t keywords = 0, actions = 0;
    for (const std::string& a : args)
        keywords += Keyword(a).has_value();
    for (const SecondStartMessage& m : plan) {
        if (!m.isText) {
            ++actions;
            Check(m.action >= 0 && m.action < kActionCount, "an action message names an action");
            continue;
        }
        Check(!m.text.empty() && m.text.front() != ' ' && m.text.back() != ' ',
              "a text is trimmed and never empty", m.text);
        Check(Utf16Units(m.text) <= kMaxAtomText, "a text fits in an atom", m.text);
    }
    Check(actions == keywords, "every keyword is sent, and nothing else as an action");

    // The running bar: message 1024 and 1025 with any values.
    SecondStartReceiver receiver;
    for (int i = in.ConsumeIntegralInRange(0, 8); i > 0; --i) {
        if (in.ConsumeBool()) {
            const auto w = in.ConsumeIntegral<std::uintptr_t>();
            const auto run = receiver.OnAction(w);
            Check(receiver.Pending() == (w & 0xFF), "the pending action is the low byte");
            if (run)
                Check(run->action == static_cast<int>(w & 0xFF) && run->text.empty(),
                      "an action runs as named, without text");
        } else {
            const auto text = in.ConsumeBool()
                                  ? std::optional<std::string>(in.ConsumeRandomLengthString(255))
                                  : std::nullopt;
            const auto run = receiver.OnText(text);
            if (!text || receiver.Pending() == 0)
                Check(!run, "a text alone runs nothing");
            else
                Check(run && run->action == receiver.Pending() && run->text == *text,
                      "a text goes to the pending action");
        }
    }

    // RELANCERACTION: only the entry whose file index is the number is re-armed.
    const std::string parameter = in.ConsumeRandomLengthString(24);
    CheckLeadingNumber(parameter);
    SettingsStore store;
    SettingsStore::Environment env;
    env.exePath = (fuzz::ScratchDir() / "none" / "Pilotune.exe").string();
    store.Open("", env);
    FixedClock clock;
    CPlanification schedule(store, clock, [](int, const std::string&) {});
    std::vector<TPlan> entries;
    for (int i = in.ConsumeIntegralInRange(0, 6); i > 0; --i) {
        TPlan e;
        e.Action = RELANCERACTION;
        e.Index = in.ConsumeIntegralInRange(-3, 40);
        e.Effectuer = 45000;
        e.Periode = kPeriodDaily;
        entries.push_back(e);
    }
    schedule.Replace(entries);
    schedule.Rearm(parameter);
    const int target = LeadingNumber(parameter);
    bool first = true;
    for (const TPlan& e : schedule.Entries()) {
        const bool rearmed = e.Effectuer == 0;
        Check(rearmed == (e.Index == target && first), "a re-arm touches only the entry it names",
              parameter);
        if (e.Index == target) first = false;
    }
    return 0;
}
