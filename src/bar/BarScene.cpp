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

BarSize LayoutBar(Scene& scene, int screenWidth, int barLeft) {
    const BarSize size{std::max(screenWidth - barLeft - kBarRightMargin, kBarMinWidth), kBarHeight};
    const int W = size.width;
    const int H = size.height;
    constexpr int pitch = kButtonSize + 3;
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        scene[kButtons[i]].bounds = {W - static_cast<int>(kButtons.size() - i) * pitch, 1,
                                     kButtonSize, kButtonSize};
    }
    Twin avance(scene, "shaAvance");
    avance.SetBounds({0, H - 5, avance.B().bounds.width, 4});
    Twin bord1(scene, "shaBord1");
    bord1.SetBounds({bord1.B().bounds.left, bord1.B().bounds.top, 3, H + 2});
    Twin bord2(scene, "shaBord2");
    bord2.SetBounds({scene["imgRecule"].bounds.left - 6, 0, 3, H + 2});

    const int X = bord2.B().bounds.left;
    Twin hazard(scene, "lblHazard");
    const int indicatorTop = H - 14;
    hazard.SetBounds({X + 2, indicatorTop, hazard.B().bounds.width, hazard.B().bounds.height});
    Element& sens = scene["imgSens"];
    sens.bounds = {X + 24, indicatorTop, sens.bounds.width, sens.bounds.height};
    Twin count(scene, "lblNbBoucle");
    count.SetBounds(
        {sens.bounds.left + 5, indicatorTop - 1, count.B().bounds.width, count.B().bounds.height});
    Twin option(scene, "lblOption");
    option.SetBounds({X + 46, indicatorTop, option.B().bounds.width, option.B().bounds.height});
    Twin copier(scene, "lblCopier");
    copier.SetBounds({X + 68, indicatorTop, copier.B().bounds.width, copier.B().bounds.height});

    Twin info(scene, "lblInfo");
    const int infoWidth = info.B().bounds.width;
    info.SetBounds({X - infoWidth - 2, 2, infoWidth, info.B().bounds.height});
    Twin duree(scene, "lblDuree");
    duree.SetBounds({1, 2, duree.B().bounds.width, duree.B().bounds.height});
    Twin titre(scene, "lblTitre");
    const int titleLeft = duree.B().bounds.Right() + 10;
    titre.SetBounds(
        {titleLeft, 2, std::max(0, X - titleLeft - infoWidth), titre.B().bounds.height});

    scene["imgFond"].bounds = {0, 0, W, H};
    return size;
}

std::optional<TAction> ElementAction(std::string_view name) {
    static constexpr std::pair<std::string_view, TAction> kMap[] = {
        {"imgRecule", RECULER},        {"imgJoue", JOUER},       {"imgPause", PAUSER},
        {"imgStop", STOPPER},          {"imgAvance", AVANCER},   {"imgFerme", FERMERPROG},
        {"imgSens", BOUCLE},           {"lblNbBoucleB", BOUCLE}, {"lblNbBoucleN", BOUCLE},
        {"lblHazardB", HAZARD},        {"lblHazardN", HAZARD},   {"lblOptionB", AFFICHEOPTION},
        {"lblOptionN", AFFICHEOPTION}, {"lblCopierB", COPIER},   {"lblCopierN", COPIER},
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
