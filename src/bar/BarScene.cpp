#include "bar/BarScene.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace pilotune {

namespace {

const Font kTimeFont{"MS Sans Serif", 11, true};
const Font kInfoFont{"Small Fonts", 9, true};
const Font kIndicatorFont{"Small Fonts", 8, true};
constexpr int kRepeatWidth = 18; // "REP" or "1X"

// A design font at `dpi`. Above 96 DPI the small bitmap faces give way to
// outline faces of the same look, which have every size.
Font FontAt(const Font& design, int dpi) {
    if (dpi == kDesignDpi) return design;
    Font f = design;
    f.height = ScaleToDpi(design.height, dpi);
    if (f.face == "MS Sans Serif") f.face = "Microsoft Sans Serif";
    if (f.face == "Small Fonts") f.face = "Tahoma";
    return f;
}

// Adds the shadow ("N", black) then the white ("B") copy of a label or shape.
void AddTwin(Scene& scene, const std::string& stem, Element e) {
    Element n = e;
    n.name = stem + "N";
    n.color = kBlack;
    n.bounds = e.bounds.Moved(1, -1);
    e.name = stem + "B";
    e.color = kWhite;
    scene.Add(std::move(n));
    scene.Add(std::move(e));
}

Element Label(const std::string& text, const Font& font, Rect bounds,
              TextAlign align = TextAlign::Left) {
    Element e;
    e.kind = ElementKind::Label;
    e.bounds = bounds;
    e.text = text;
    e.font = font;
    e.align = align;
    return e;
}

Element Shape(Rect bounds) {
    Element e;
    e.kind = ElementKind::Shape;
    e.bounds = bounds;
    return e;
}

Element Picture(const std::string& name, const std::string& picture, Rect bounds,
                bool visible = true) {
    Element e;
    e.name = name;
    e.kind = ElementKind::Picture;
    e.bounds = bounds;
    e.visible = visible;
    e.picture = picture;
    return e;
}

constexpr std::array<const char*, 6> kButtons{"imgRecule", "imgJoue",   "imgPause",
                                              "imgStop",   "imgAvance", "imgFerme"};

} // namespace

Scene BuildBarScene() {
    Scene scene;
    Element fond = Picture("imgFond", "imgFond", {0, 0, 0, kBarHeight});
    fond.enabled = false;
    scene.Add(std::move(fond));
    Element selection = Shape({});
    selection.name = "shaSelection";
    selection.color = kRed;
    selection.visible = false;
    scene.Add(std::move(selection));

    AddTwin(scene, "shaAvance", Shape({0, kBarHeight - 5, 0, 4}));
    AddTwin(scene, "shaBord1", Shape({0, 0, 3, kBarHeight + 2}));
    AddTwin(scene, "shaBord2", Shape({0, 0, 3, kBarHeight + 2}));

    AddTwin(scene, "lblDuree", Label("00:00", kTimeFont, {1, 2, 41, 13}, TextAlign::Right));
    AddTwin(scene, "lblTitre", Label("000. Titre", kTimeFont, {52, 2, 100, 13}));
    Element info = Label("INFO", kInfoFont, {0, 2, 40, 10}, TextAlign::Right);
    info.visible = false;
    info.popupMenu = "ppmPlan";
    AddTwin(scene, "lblInfo", std::move(info));
    AddTwin(scene, "lblHazard", Label("ABC", kIndicatorFont, {0, 12, 22, 12}));
    AddTwin(scene, "lblOption", Label("OPT", kIndicatorFont, {0, 12, 20, 12}));
    AddTwin(scene, "lblNbBoucle", Label("", kIndicatorFont, {0, 11, 7, 10}));
    Element copier = Label("CO", kIndicatorFont, {0, 12, 14, 12});
    copier.visible = false;
    AddTwin(scene, "lblCopier", std::move(copier));
    Element repeter = Label("1X", kIndicatorFont, {0, 2, kRepeatWidth, 12});
    repeter.visible = false; // until the player tells its repeat state
    AddTwin(scene, "lblRepeter", std::move(repeter));

    Element sens = Picture("imgSens", pictures::kNormale, {0, 12, 21, 12});
    sens.popupMenu = "ppmBoucle";
    scene.Add(std::move(sens));
    for (const char* button : kButtons) {
        std::string picture = button;
        if (picture == "imgJoue") picture = pictures::kJoue;
        if (picture == "imgStop") picture = pictures::kStop;
        Element e = Picture(button, picture, {0, 1, kButtonSize, kButtonSize});
        if (e.name == "imgRecule" || e.name == "imgAvance") e.popupMenu = "ppmListe";
        scene.Add(std::move(e));
    }
    for (const char* source :
         {pictures::kBoucle, pictures::kNormale, pictures::kExtrait, pictures::kExtraitBoucle,
          pictures::kJoue, pictures::kEnregistre, pictures::kStop}) {
        scene.Add(Picture(source, source, {0, 0, 0, 0}, false));
    }
    return scene;
}

BarSize BarSizeAt(int screenRight, int barLeft, int dpi) {
    return {std::max(screenRight - barLeft - ScaleToDpi(kBarRightMargin, dpi),
                     ScaleToDpi(kBarMinWidth, dpi)),
            ScaleToDpi(kBarHeight, dpi)};
}

BarSize LayoutBar(Scene& scene, int screenRight, int barLeft, int dpi) {
    const BarSize size = BarSizeAt(screenRight, barLeft, dpi);
    ArrangeBar(scene, size, dpi);
    return size;
}

void ArrangeBar(Scene& scene, BarSize size, int dpi) {
    const auto s = [dpi](int design) { return ScaleToDpi(design, dpi); };
    const int W = size.width;
    const int H = size.height;
    const int button = s(kButtonSize), pitch = s(kButtonSize + 3);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        scene[kButtons[i]].bounds = {W - static_cast<int>(kButtons.size() - i) * pitch, s(1),
                                     button, button};
    }
    // The shadows lie one (scaled) pixel right and up.
    const int shadow = s(1);
    auto twin = [&](const char* stem) { return Twin(scene, stem, shadow, -shadow); };
    Twin avance = twin("shaAvance");
    avance.SetBounds({0, H - s(5), avance.B().bounds.width, s(4)});
    Twin bord1 = twin("shaBord1");
    bord1.SetBounds({bord1.B().bounds.left, bord1.B().bounds.top, s(3), H + s(2)});
    Twin bord2 = twin("shaBord2");
    bord2.SetBounds({scene["imgRecule"].bounds.left - s(6), 0, s(3), H + s(2)});

    // The indicators' row, measured from the right border's left edge; their
    // edges are scaled, so that neighbours never overlap.
    const int X = bord2.B().bounds.left;
    const int indicatorTop = H - s(14);
    const auto row = [&](Rect design) { return ScaleToDpi(design, dpi).Moved(X, indicatorTop); };
    twin("lblHazard").SetBounds(row({2, 0, 22, 12}));
    scene["imgSens"].bounds = row({24, 0, 21, 12});
    twin("lblNbBoucle").SetBounds(row({24 + 5, -1, 7, 10}));
    twin("lblOption").SetBounds(row({46, 0, 20, 12}));
    twin("lblCopier").SetBounds(row({68, 0, 14, 12}));

    // The repeat indicator, when shown, takes the place just before the right
    // border, a little apart from the text; the schedule's label moves left of it.
    Twin repeter = twin("lblRepeter");
    const int repeatWidth = repeter.B().visible ? s(kRepeatWidth) + s(6) : 0;
    repeter.SetBounds({X - s(kRepeatWidth) - s(2), s(3), s(kRepeatWidth), s(12)});
    Twin info = twin("lblInfo");
    const int infoWidth = info.B().bounds.width;
    info.SetBounds({X - repeatWidth - infoWidth - s(2), s(2), infoWidth, s(10)});
    Twin duree = twin("lblDuree");
    duree.SetBounds(ScaleToDpi(Rect{1, 2, 41, 13}, dpi));
    Twin titre = twin("lblTitre");
    const int titleLeft = duree.B().bounds.Right() + s(10);
    titre.SetBounds({titleLeft, s(2), std::max(0, X - titleLeft - infoWidth - repeatWidth), s(13)});

    for (const auto& [stem, font] : {std::pair{"lblDuree", &kTimeFont},
                                     {"lblTitre", &kTimeFont},
                                     {"lblInfo", &kInfoFont},
                                     {"lblHazard", &kIndicatorFont},
                                     {"lblOption", &kIndicatorFont},
                                     {"lblNbBoucle", &kIndicatorFont},
                                     {"lblCopier", &kIndicatorFont},
                                     {"lblRepeter", &kIndicatorFont}}) {
        const Font scaled = FontAt(*font, dpi);
        scene[std::string(stem) + "B"].font = scaled;
        scene[std::string(stem) + "N"].font = scaled;
    }
    scene["imgFond"].bounds = {0, 0, W, H};
}

BarPlace PlaceStoredBar(const std::vector<Screen>& monitors, int left, int top) {
    const int i = MonitorAt(monitors, left, top);
    if (i < 0) return {{left, top, kBarMinWidth, kBarHeight}};
    const Screen& m = monitors[static_cast<std::size_t>(i)];
    const BarSize size = BarSizeAt(m.area.Right(), left, m.dpi);
    return {ClampBarToScreen({left, top, size.width, size.height}, m.area), m.dpi};
}

BarPlace DropBar(const std::vector<Screen>& monitors, const Rect& bar) {
    const int i = MonitorHolding(monitors, bar);
    if (i < 0) return {bar};
    const Screen& m = monitors[static_cast<std::size_t>(i)];
    const Rect placed =
        ClampBarToScreen({bar.left, bar.top, bar.width, ScaleToDpi(kBarHeight, m.dpi)}, m.area);
    const BarSize size = BarSizeAt(m.area.Right(), placed.left, m.dpi);
    return {{placed.left, placed.top, size.width, size.height}, m.dpi};
}

Rect HighlightFrame(const Rect& target, int dpi) {
    const int one = ScaleToDpi(1, dpi), two = ScaleToDpi(2, dpi);
    return {target.left - one, target.top - one, target.width + one + two,
            target.height + one + one};
}

std::optional<TAction> ElementAction(std::string_view name) {
    static constexpr std::pair<std::string_view, TAction> kMap[] = {
        {"imgRecule", RECULER},        {"imgJoue", JOUER},       {"imgPause", PAUSER},
        {"imgStop", STOPPER},          {"imgAvance", AVANCER},   {"imgFerme", FERMERPROG},
        {"imgSens", BOUCLE},           {"lblNbBoucleB", BOUCLE}, {"lblNbBoucleN", BOUCLE},
        {"lblHazardB", HAZARD},        {"lblHazardN", HAZARD},   {"lblOptionB", AFFICHEOPTION},
        {"lblOptionN", AFFICHEOPTION}, {"lblCopierB", COPIER},   {"lblCopierN", COPIER},
        {"lblRepeterB", REPETER},      {"lblRepeterN", REPETER},
    };
    for (const auto& [element, action] : kMap)
        if (element == name) return action;
    return std::nullopt;
}

std::string_view HighlightTarget(std::string_view name) {
    if (name == "lblNbBoucleB" || name == "lblNbBoucleN") return "imgSens";
    return name;
}

Rect ClampBarToScreen(const Rect& bar, const Rect& screen) {
    Rect r = bar;
    const int right = screen.left + screen.width, bottom = screen.top + screen.height;
    if (r.left < screen.left) r.left = screen.left;
    if (r.left > right) r.left = right - r.width;
    if (r.top < screen.top) r.top = screen.top;
    if (r.top + r.height > bottom) r.top = bottom - r.height;
    return r;
}

} // namespace pilotune
