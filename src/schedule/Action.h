#pragma once
// TAction: the numbered actions of the program. Every command, whatever its
// source (bar, menus, shortcuts, schedule, second start), is one of these.
// The value names are also the command-line keywords of a second start.
#include <optional>
#include <string>
#include <string_view>

namespace pilotune {

enum TAction : int {
    ARRETER = 0,
    REDEMARRER = 1,
    EXECUTER = 2,
    RECULER = 3,
    JOUER = 4,
    PAUSER = 5,
    STOPPER = 6,
    AVANCER = 7,
    HAZARD = 8,
    FORCEHAZARD = 9,
    FORCECONTINU = 10,
    BOUCLE = 11,
    EXTRAIT = 12,
    LANCERWINAMP = 13,
    FERMERWINAMP = 14,
    FERMERPROG = 15,
    LECTUREPROGRAMME = 16,
    ENREGISTREPROGRAMME = 17,
    COPIER = 18,
    GENERERFOND = 19,
    AIDE = 20,
    CACHERWINAMP = 21,
    CACHERAUTOPROG = 22,
    APROPOSDE = 23,
    AFFICHEOPTION = 24,
    RELANCERACTION = 25,
    ANNULER = 26,
    ANNULERTOUT = 27,
    PLEINECRAN = 28,
    MISEAJOUR = 29,
    AFFICHENEGATIF = 30,
    AFFICHECHERCHEURTITRE = 31,
    ARIEN = 32,
    // After "nothing", so that the numbers stored before them keep their meaning.
    MONTERVOLUME = 33,
    BAISSERVOLUME = 34,
    MUET = 35,
    AVANCERSECONDES = 36,
    RECULERSECONDES = 37,
    REPETER = 38,
    STOPPERAPRES = 39,
    FONDU = 40,
};

inline constexpr int kActionCount = FONDU + 1;

// FONDU's text parameter: the fade's length in seconds, this when it holds none.
inline constexpr int kDefaultFadeSeconds = 30;
inline constexpr int kMaxFadeSeconds = 24 * 3600;
// The fade's length given by FONDU's parameter: its leading number, the
// default when it has none (or one below 1), at most kMaxFadeSeconds.
int FadeSeconds(std::string_view parameter);

// The keyword of an action ("JOUER"); empty outside the catalogue.
std::string_view NomAction(int action);
// The action named by a keyword, ASCII case ignored ("jouer" -> JOUER).
std::optional<TAction> ActionParNom(std::string_view keyword);
// The label shown in the action lists; "Le programmeur est un con" outside the
// catalogue.
std::string LibelleAction(int action);
// The description shown in the schedule hint. EXECUTER, LECTUREPROGRAMME and
// RELANCERACTION are followed by their parameter (the file-name part of it for
// EXECUTER), FONDU tells its length; ARIEN and unknown values give the
// fallback text.
std::string DescriptionAction(int action, std::string_view parameter = {});

// The whole number at the start of an action's text parameter (leading blanks
// and a sign allowed), 0 when it does not begin with one; a number too large
// for an int saturates.
int LeadingNumber(std::string_view text);

} // namespace pilotune
