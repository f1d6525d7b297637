#pragma once
// The texts of the action lists of the options pages: an action's label,
// followed by its parameter for the actions that take one ("Exécuter : C:\a.exe").
#include <string>
#include <string_view>
#include <vector>

#include "schedule/Action.h"
#include "settings/Option.h"

namespace pilotune {

inline constexpr int kOfferedActions = ARIEN; // 0..31; "nothing" is not offered

// The labels of the offered actions, in number order.
std::vector<std::string> ActionLabels();
// Whether an action text takes a parameter (it holds a ":").
bool IsParameterised(std::string_view text);
// The parameter of an action text: what follows ": ", or empty.
std::string ParamText(std::string_view text);
// The text up to its first ":" and one space; the text itself without one.
std::string LabelPrefix(std::string_view text);
// A parameterised text without its parameter yet.
bool ParameterMissing(std::string_view text);

// One row of the binding list.
struct BindingRow {
    std::string caption; // the action's text, with its parameter
    std::string key;
    int action = 0;
    bool checked = true;
};

// The rows of `bindings` against the action list `items`. A binding with no key
// text can never be pressed: it gets no row. An action outside the list is
// shown with the catalogue's fallback label.
std::vector<BindingRow> BindingRows(const std::vector<TCla>& bindings,
                                    const std::vector<std::string>& items);
// The bindings of the rows, in order.
std::vector<TCla> BindingsOf(const std::vector<BindingRow>& rows);

} // namespace pilotune
