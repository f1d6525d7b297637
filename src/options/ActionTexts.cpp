#include "options/ActionTexts.h"

namespace pilotune {

int OfferedRow(int action) {
    for (int row = 0; row < kOfferedCount; ++row)
        if (kOfferedActions[static_cast<std::size_t>(row)].action == action) return row;
    return -1;
}

int OfferedAt(int row) {
    return row >= 0 && row < kOfferedCount ? kOfferedActions[static_cast<std::size_t>(row)].action
                                           : -1;
}

ActionParameter ParameterOf(int action) {
    const int row = OfferedRow(action);
    return row < 0 ? ActionParameter::None
                   : kOfferedActions[static_cast<std::size_t>(row)].parameter;
}

std::string ActionText(int action, std::string_view parameter) {
    std::string text = LibelleAction(action);
    if (!TakesParameter(action)) return text;
    // The labels of such actions may end with their own colon.
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    text += " : ";
    text += parameter;
    return text;
}

std::vector<BindingRow> BindingRows(const std::vector<TCla>& bindings) {
    std::vector<BindingRow> rows;
    for (const TCla& b : bindings)
        if (!b.Touche.empty())
            rows.push_back({b.Action, TakesParameter(b.Action) ? b.Chemin : std::string(), b.Touche,
                            b.Activer});
    return rows;
}

std::vector<TCla> BindingsOf(const std::vector<BindingRow>& rows) {
    std::vector<TCla> bindings;
    bindings.reserve(rows.size());
    for (const BindingRow& r : rows)
        bindings.push_back({r.checked, static_cast<std::uint8_t>(r.action), r.key, r.parameter});
    return bindings;
}

} // namespace pilotune
