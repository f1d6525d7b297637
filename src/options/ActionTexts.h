#pragma once
// The actions the options lists offer, in their order, with the rule of the
// parameter each takes; the texts the lists show for them ("Exécuter :
// C:\a.exe"); and the keyboard page's rows.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/Action.h"
#include "settings/Option.h"

namespace pilotune {

// What an action's parameter is, and so how the user chooses it: a file, a
// programme name, a line of the schedule, or a text typed in a box.
enum class ActionParameter { None, File, Programme, ScheduleLine, Typed };

struct OfferedAction {
    int action;
    ActionParameter parameter = ActionParameter::None;
};

// The actions the lists offer, in the order they show them. A row's place is
// only where it shows: settings name actions by their number, so a new
// action goes where it reads best, with its parameter, and nothing is renumbered.
// "Nothing" (ARIEN) is never offered.
inline constexpr std::array kOfferedActions{
    OfferedAction{ARRETER},
    OfferedAction{REDEMARRER},
    OfferedAction{EXECUTER, ActionParameter::File},
    OfferedAction{RECULER},
    OfferedAction{JOUER},
    OfferedAction{PAUSER},
    OfferedAction{STOPPER},
    OfferedAction{AVANCER},
    OfferedAction{RECULERSECONDES},
    OfferedAction{AVANCERSECONDES},
    OfferedAction{BAISSERVOLUME},
    OfferedAction{MONTERVOLUME},
    OfferedAction{MUET},
    OfferedAction{REPETER},
    OfferedAction{STOPPERAPRES},
    OfferedAction{FONDU, ActionParameter::Typed},
    OfferedAction{HAZARD},
    OfferedAction{FORCEHAZARD},
    OfferedAction{FORCECONTINU},
    OfferedAction{BOUCLE},
    OfferedAction{EXTRAIT},
    OfferedAction{LANCERWINAMP},
    OfferedAction{FERMERWINAMP},
    OfferedAction{FERMERPROG},
    OfferedAction{LECTUREPROGRAMME, ActionParameter::Programme},
    OfferedAction{ENREGISTREPROGRAMME},
    OfferedAction{COPIER},
    OfferedAction{GENERERFOND},
    OfferedAction{AIDE},
    OfferedAction{CACHERWINAMP},
    OfferedAction{CACHERAUTOPROG},
    OfferedAction{APROPOSDE},
    OfferedAction{AFFICHEOPTION},
    OfferedAction{RELANCERACTION, ActionParameter::ScheduleLine},
    OfferedAction{ANNULER},
    OfferedAction{ANNULERTOUT},
    OfferedAction{PLEINECRAN},
    OfferedAction{MISEAJOUR},
    OfferedAction{AFFICHENEGATIF},
    OfferedAction{AFFICHECHERCHEURTITRE},
};

// Each action once, and never "nothing".
constexpr bool OfferedActionsAreSound() {
    for (std::size_t i = 0; i < kOfferedActions.size(); ++i) {
        if (kOfferedActions[i].action < 0 || kOfferedActions[i].action == ARIEN) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kOfferedActions[j].action == kOfferedActions[i].action) return false;
    }
    return true;
}
static_assert(OfferedActionsAreSound());

inline constexpr int kOfferedCount = static_cast<int>(kOfferedActions.size());

// The row of an action in the lists; -1 when it is not offered.
int OfferedRow(int action);
// The action of a row; -1 outside the rows.
int OfferedAt(int row);
// The parameter an action takes (None for one not offered).
ActionParameter ParameterOf(int action);
inline bool TakesParameter(int action) {
    return ParameterOf(action) != ActionParameter::None;
}
// What the lists show for an action: its label; for one that takes a
// parameter, its label, " : " and the parameter ("Exécuter : " without one).
std::string ActionText(int action, std::string_view parameter = {});

// One row of the binding list.
struct BindingRow {
    int action = 0;
    std::string parameter; // empty for an action that takes none
    std::string key;
    bool checked = true;
};

// The rows of `bindings`. A binding with no key text can never be pressed: it
// gets no row.
std::vector<BindingRow> BindingRows(const std::vector<TCla>& bindings);
// The bindings of the rows, in order.
std::vector<TCla> BindingsOf(const std::vector<BindingRow>& rows);

} // namespace pilotune
