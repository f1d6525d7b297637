#include "bar/Dispatcher.h"

#include <algorithm>
#include <optional>

#include "bar/BarState.h"
#include "bar/PlaybackMonitor.h"
#include "bar/SoundActions.h"
#include "player/Winamp.h"
#include "settings/Option.h"

namespace pilotune {

namespace {
void Toggle(bool& field, bool modeFlag) {
    if (!modeFlag) field = !field;
}
} // namespace

void Dispatcher::ExecuterAction(int action, bool modeFlag, const std::string& parameter) {
    Run(action, modeFlag, parameter);
    MarkPlayerState();
    // The full-screen view shows the bar's indicators as the action left them.
    if (bar_.services.FullScreenExists()) bar_.services.RefreshFullScreenView();
}

void Dispatcher::MarkPlayerState() {
    // One question for the three marks. A player that is there but did not
    // answer leaves them as they were; no player at all reads as stopped.
    std::optional<PlayerState> state = bar_.player.DemanderEtat();
    if (!state && !bar_.player.EstLance()) state = PlayerState::Stopped;
    if (!state) return;
    Menu& menu = bar_.menus.principale;
    menu[kMnuJouer].checked = *state == PlayerState::Playing;
    menu[kMnuPause].checked = *state == PlayerState::Paused;
    menu[kMnuStopper].checked = *state == PlayerState::Stopped;
}

void Dispatcher::Run(int action, bool modeFlag, const std::string& parameter) {
    COption& opt = bar_.option;
    TPilotune& player = bar_.player;
    BarServices& services = bar_.services;
    Menu& menu = bar_.menus.principale;

    switch (action) {
    case ARRETER:
    case REDEMARRER:
        services.ShowCountdown(kCountdownSeconds, true, action == REDEMARRER);
        break;
    case EXECUTER:
        if (!parameter.empty() && services.FileExists(parameter)) services.OpenFile(parameter);
        break;
    case RECULER:
        if (opt.ProgLecture) {
            opt.ProgPos = std::max(opt.ProgPos - 2, -1);
            services.ProgrammeNext();
        } else if (modeFlag) {
            bar_.history.Back(player);
        } else {
            player.Precedent();
        }
        break;
    case JOUER:
        if (opt.ProgLecture) {
            ExecuterAction(LECTUREPROGRAMME, false);
        } else {
            player.Connecter();
            player.Jouer();
        }
        break;
    case PAUSER:
        if (player.Etat() != PlayerState::Playing)
            player.Jouer();
        else
            player.Pauser();
        break;
    case STOPPER:
        if (opt.ProgEnreg)
            ExecuterAction(ENREGISTREPROGRAMME, false);
        else
            player.Stopper();
        break;
    case AVANCER:
        if (opt.ProgLecture)
            services.ProgrammeNext();
        else if (modeFlag)
            bar_.history.Forward(player);
        else
            player.Suivant();
        break;
    case HAZARD:
        opt.Shuffle = !opt.Shuffle;
        bar_.twins.hazard.SetText(opt.Shuffle ? "BCA" : "ABC");
        menu[kMnuHazard].checked = opt.Shuffle;
        player.BasculerHasard();
        break;
    case FORCEHAZARD:
        if (!player.HasardActif()) ExecuterAction(HAZARD, false);
        break;
    case FORCECONTINU:
        if (player.HasardActif()) ExecuterAction(HAZARD, false);
        break;
    case BOUCLE:
        Toggle(opt.LoopOn, modeFlag);
        monitor_.ApplyLoop();
        break;
    case EXTRAIT:
        Toggle(opt.ExcerptOn, modeFlag);
        bar_.menus.boucle[kMnuExtrait].checked = opt.ExcerptOn;
        monitor_.UpdateModePicture();
        break;
    case LANCERWINAMP:
        player.Connecter();
        break;
    case FERMERWINAMP:
        player.Commande(kCmdClose);
        break;
    case FERMERPROG:
        services.CloseProgram();
        break;
    case LECTUREPROGRAMME:
        services.ProgrammePlayback(modeFlag, parameter);
        break;
    case ENREGISTREPROGRAMME:
        services.ProgrammeRecording(modeFlag);
        break;
    case COPIER:
        services.CopyCurrentTrack();
        break;
    case GENERERFOND:
        services.CaptureBackground();
        break;
    case AIDE:
        services.ShowHelp();
        break;
    case CACHERWINAMP:
        Toggle(opt.CacheWA, modeFlag);
        player.AfficherWinamp(opt.CacheWA ? PlayerWindowState::Hidden : PlayerWindowState::Shown);
        menu[kMnuCacherWinamp].checked = opt.CacheWA;
        break;
    case CACHERAUTOPROG:
        Toggle(opt.CacheAuto, modeFlag);
        menu[kMnuCacheAuto].checked = opt.CacheAuto;
        break;
    case APROPOSDE:
        services.ShowAbout();
        break;
    case AFFICHEOPTION:
        services.ShowOptions();
        services.MakeBarTopmost();
        services.FocusOptions();
        break;
    case RELANCERACTION: {
        const int n = LeadingNumber(parameter);
        if (n >= 0 && n < services.ScheduleEntryCount()) services.ScheduleRearm(n);
        break;
    }
    case ANNULER:
        services.ScheduleCancel();
        break;
    case ANNULERTOUT:
        services.ScheduleCancelAll();
        break;
    case PLEINECRAN:
        if (services.FullScreenExists()) {
            services.CloseFullScreen();
        } else {
            services.OpenFullScreen();
            services.MakeBarTopmost();
            services.FocusFullScreen();
        }
        break;
    case MISEAJOUR:
        services.CheckForUpdate(modeFlag);
        break;
    case AFFICHENEGATIF:
        opt.AffichageNeg = !opt.AffichageNeg;
        break;
    case AFFICHECHERCHEURTITRE:
        player.AfficherChercheur();
        break;
    case MONTERVOLUME:
    case BAISSERVOLUME:
        StepVolume(bar_, action == MONTERVOLUME ? 1 : -1);
        break;
    case MUET:
        ToggleMute(bar_);
        break;
    case AVANCERSECONDES:
    case RECULERSECONDES:
        SeekBy(bar_, action == AVANCERSECONDES ? opt.SeekStep : -opt.SeekStep);
        break;
    case REPETER:
        ToggleRepeat(bar_);
        break;
    case STOPPERAPRES:
        ToggleStopAfter(bar_);
        break;
    case FONDU:
        ToggleFade(bar_, parameter);
        break;
    default:
        break; // ARIEN and unknown values
    }
}

void Dispatcher::PrincipaleClick(std::string_view itemName) {
    if (itemName == kMnuVerrouiller) {
        MenuItem& lock = bar_.menus.principale[kMnuVerrouiller];
        lock.checked = !lock.checked;
    } else if (itemName == kMnuPlanification) {
        ExecuterAction(AFFICHEOPTION, false);
        bar_.services.ShowOptionsSchedulePage();
    } else if (auto command = PrincipaleCommand(itemName)) {
        ExecuterAction(command->action, command->modeFlag);
    }
}

void Dispatcher::PlanClick(std::string_view itemName) {
    if (itemName == kMnuAnnuler)
        bar_.services.ScheduleCancel();
    else if (itemName == kMnuAnnulerTout)
        bar_.services.ScheduleCancelAll();
}

bool Dispatcher::PositionLocked() {
    return bar_.menus.principale[kMnuVerrouiller].checked;
}

} // namespace pilotune
