#include "options/ActionTexts.h"

#include "schedule/Action.h"

namespace pilotune {

std::vector<std::string> ActionLabels() {
    std::vector<std::string> labels;
    labels.reserve(kOfferedActions);
    for (int action = 0; action < kOfferedActions; ++action)
        labels.push_back(LibelleAction(action));
    return labels;
}

bool IsParameterised(std::string_view text) {
    return text.find(':') != std::string_view::npos;
}

std::string ParamText(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon + 2 > text.size()) return {};
    return std::string(text.substr(colon + 2));
}

std::string LabelPrefix(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::string(text);
    std::string prefix(text.substr(0, colon + 1));
    prefix += ' ';
    return prefix;
}

bool ParameterMissing(std::string_view text) {
    const size_t colon = text.find(':');
    return colon != std::string_view::npos && colon + 2 >= text.size();
}

std::vector<BindingRow> BindingRows(const std::vector<TCla>& bindings,
                                    const std::vector<std::string>& items) {
    std::vector<BindingRow> rows;
    for (const TCla& b : bindings) {
        if (b.Touche.empty()) continue;
        const int action = b.Action;
        std::string caption = action < static_cast<int>(items.size())
                                  ? items[static_cast<size_t>(action)]
                                  : LibelleAction(action);
        if (IsParameterised(caption)) caption = LabelPrefix(caption) + b.Chemin;
        rows.push_back({std::move(caption), b.Touche, action, b.Activer});
    }
    return rows;
}

std::vector<TCla> BindingsOf(const std::vector<BindingRow>& rows) {
    std::vector<TCla> bindings;
    bindings.reserve(rows.size());
    for (const BindingRow& r : rows)
        bindings.push_back({r.checked, static_cast<std::uint8_t>(r.action), r.key,
                            IsParameterised(r.caption) ? ParamText(r.caption) : std::string()});
    return bindings;
}

} // namespace pilotune
