#include "windows/PleinEcranScene.h"

#include <algorithm>
#include <array>
#include <string>

#include "ui/Layout.h"

namespace pilotune {

namespace {

constexpr int kTitleLetters = 80;
constexpr int kIndicatorLetters = 27;
constexpr int kLoopLetters = 20;
constexpr int kButton = 34;
constexpr int kButtonTop = 32;

struct Placed {
    const char* name;
    Rect design;
    Anchors anchors;
    int letters = 0; // labels: the font's height
};

constexpr Anchors kTop{false, true, false, false};
constexpr Anchors kAll{true, true, true, true};
constexpr Anchors kBottom{false, false, false, true};
constexpr Anchors kRightBottom{false, false, true, true};
constexpr Anchors kLeftBottom{true, false, false, true};

// Design bounds and anchors of every element but the selection. The labels
// whose size follows their text get the size of that text in the view's face.
constexpr std::array<Placed, 27> kPlaced{{
    {"shaBord1N", {3, 399, 7, 41}, kBottom},
    {"shaBord1B", {1, 402, 7, 41}, kBottom},
    {"shaBord2N", {626, 400, 7, 41}, kRightBottom},
    {"shaBord2B", {624, 402, 7, 41}, kRightBottom},
    {"shaAvanceN", {41, 408, 88, 25}, kLeftBottom},
    {"shaAvanceB", {33, 413, 88, 25}, kLeftBottom},
    {"lblTitreN", {12, 124, 617, 265}, kAll, kTitleLetters},
    {"lblTitreB", {8, 128, 617, 265}, kAll, kTitleLetters},
    {"lblDureeN", {206, 16, 222, 93}, kTop, kTitleLetters},
    {"lblDureeB", {196, 20, 235, 93}, kTop, kTitleLetters},
    {"imgRecule", {19, kButtonTop, kButton, kButton}, kTop},
    {"imgJoue", {79, kButtonTop, kButton, kButton}, kTop},
    {"imgPause", {131, kButtonTop, kButton, kButton}, kTop},
    {"imgStop", {447, kButtonTop, kButton, kButton}, kTop},
    {"imgAvance", {508, kButtonTop, kButton, kButton}, kTop},
    {"imgFerme", {567, kButtonTop, kButton, kButton}, kTop},
    {"lblHazardN", {25, 72, 62, 32}, kTop, kIndicatorLetters},
    {"lblHazardB", {23, 74, 62, 32}, kTop, kIndicatorLetters},
    {"lblOptionN", {104, 72, 62, 32}, kTop, kIndicatorLetters},
    {"lblOptionB", {102, 74, 62, 32}, kTop, kIndicatorLetters},
    {"imgSens", {470, 72, 49, 33}, kTop},
    {"lblNbBoucleN", {488, 65, 16, 24}, kTop, kLoopLetters},
    {"lblNbBoucleB", {486, 67, 16, 24}, kTop, kLoopLetters},
    {"lblCopierN", {534, 72, 44, 32}, kTop, kIndicatorLetters},
    {"lblCopierB", {532, 74, 44, 32}, kTop, kIndicatorLetters},
    {"lblRepeterN", {582, 76, 44, 24}, kTop, kLoopLetters},
    {"lblRepeterB", {580, 78, 44, 24}, kTop, kLoopLetters},
}};

Element Label(std::string stem, const std::string& text, int letters, TextAlign align) {
    Element e;
    e.name = std::move(stem);
    e.kind = ElementKind::Label;
    e.text = text;
    e.font = Font{kViewFace, letters, true};
    e.align = align;
    return e;
}

Element Shape(const char* name) {
    Element e;
    e.name = name;
    e.kind = ElementKind::Shape;
    return e;
}

// The black shadow, then the white label.
void AddTwin(Scene& scene, const std::string& stem, Element e) {
    Element n = e;
    n.name = stem + "N";
    n.color = kBlack;
    e.name = stem + "B";
    e.color = kWhite;
    scene.Add(std::move(n));
    scene.Add(std::move(e));
}

// Rounds a non-negative a * b / c to the nearest whole number.
int MulDiv(int a, int b, int c) {
    return static_cast<int>((static_cast<long long>(a) * b + c / 2) / c);
}

// One axis of AnchorRect.
void AnchorAxis(int& start, int& size, bool near, bool far, int design, int actual) {
    if (near && far) {
        size += actual - design;
    } else if (far) {
        start += actual - design;
    } else if (!near) {
        const int centre = start + size / 2;
        start = static_cast<int>(static_cast<long long>(centre) * actual / design) - size / 2;
    }
}

} // namespace

Rect AnchorRect(const Rect& design, Anchors anchors, int designW, int designH, int width,
                int height) {
    Rect r = design;
    AnchorAxis(r.left, r.width, anchors.left, anchors.right, designW, width);
    AnchorAxis(r.top, r.height, anchors.top, anchors.bottom, designH, height);
    r.width = std::max(0, r.width);
    r.height = std::max(0, r.height);
    return r;
}

Scene BuildViewScene() {
    Scene scene;
    Element selection = Shape("shaSelection");
    selection.color = kRed;
    selection.visible = false;
    scene.Add(std::move(selection));
    for (const char* stem : {"shaBord1", "shaBord2", "shaAvance"}) {
        Element e = Shape("");
        e.enabled = std::string_view(stem) != "shaAvance"; // the progress ignores the mouse
        AddTwin(scene, stem, std::move(e));
    }
    Element titre = Label("", "Titre", kTitleLetters, TextAlign::Center);
    titre.wrap = true;
    AddTwin(scene, "lblTitre", std::move(titre));
    Element duree = Label("", "00:00", kTitleLetters, TextAlign::Center);
    duree.clip = false; // a remaining time is wider than the label
    AddTwin(scene, "lblDuree", std::move(duree));
    for (const char* button :
         {"imgRecule", "imgJoue", "imgPause", "imgStop", "imgAvance", "imgFerme"}) {
        Element e;
        e.name = button;
        e.kind = ElementKind::Picture;
        if (e.name == "imgRecule" || e.name == "imgAvance") e.popupMenu = "ppmListe";
        scene.Add(std::move(e));
    }
    for (const auto& [stem, text] :
         {std::pair{"lblHazard", "ABC"}, std::pair{"lblOption", "OPT"}}) {
        Element e = Label("", text, kIndicatorLetters, TextAlign::Left);
        e.clip = false;
        AddTwin(scene, stem, std::move(e));
    }
    Element sens;
    sens.name = "imgSens";
    sens.kind = ElementKind::Picture;
    sens.popupMenu = "ppmBoucle";
    scene.Add(std::move(sens));
    Element boucle = Label("", "2", kLoopLetters, TextAlign::Left);
    boucle.clip = false;
    boucle.popupMenu = "ppmBoucle";
    AddTwin(scene, "lblNbBoucle", std::move(boucle));
    Element copier = Label("", "CO", kIndicatorLetters, TextAlign::Left);
    copier.clip = false;
    copier.visible = false;
    AddTwin(scene, "lblCopier", std::move(copier));
    Element repeter = Label("", "1X", kLoopLetters, TextAlign::Left);
    repeter.clip = false;
    repeter.visible = false; // as on the bar: until the player tells its state
    AddTwin(scene, "lblRepeter", std::move(repeter));
    LayoutView(scene, kViewDesignWidth, kViewDesignHeight);
    return scene;
}

int ViewDpi(int width, int height, int dpi) {
    const int fits =
        std::min(kDesignDpi * width / kViewDesignWidth, kDesignDpi * height / kViewDesignHeight);
    return std::max(kDesignDpi, std::min(dpi, fits));
}

void LayoutView(Scene& scene, int width, int height, int monitorDpi) {
    const int dpi = ViewDpi(width, height, monitorDpi);
    const int designW = ScaleToDpi(kViewDesignWidth, dpi);
    const int designH = ScaleToDpi(kViewDesignHeight, dpi);
    for (const Placed& p : kPlaced) {
        Element* e = scene.Find(p.name);
        if (!e) continue;
        // Place and size scaled apart: every picture of a row keeps one size.
        const Rect& d = p.design;
        const Rect scaled{ScaleToDpi(d.left, dpi), ScaleToDpi(d.top, dpi), ScaleToDpi(d.width, dpi),
                          ScaleToDpi(d.height, dpi)};
        e->bounds = AnchorRect(scaled, p.anchors, designW, designH, width, height);
        if (p.letters) e->font.height = ScaleToDpi(p.letters, dpi);
    }
}

GradientBand ViewGradientBand(int i, int height) {
    constexpr int kStart = 255, kEnd = 128; // blue channel; red and green stay 0
    const int blue = kStart + i * (kEnd - kStart) / 255;
    return {MulDiv(height, i, kGradientBands), MulDiv(height, i + 1, kGradientBands),
            static_cast<std::uint32_t>(blue)};
}

std::optional<ViewHover> ViewHoverOf(std::string_view name) {
    if (name.starts_with("sha") || name.starts_with("lblTitre")) return std::nullopt;
    static constexpr std::pair<std::string_view, ViewHover> kTable[] = {
        {"imgRecule", {RECULER, "imgRecule"}},
        {"imgJoue", {JOUER, "imgJoue"}},
        {"imgPause", {PAUSER, "imgPause"}},
        {"imgStop", {STOPPER, "imgStop"}},
        {"imgAvance", {AVANCER, "imgAvance"}},
        {"imgFerme", {FERMERPROG, "imgFerme"}},
        {"imgSens", {BOUCLE, "imgSens"}},
        {"lblNbBoucleN", {BOUCLE, "imgSens"}},
        {"lblNbBoucleB", {BOUCLE, "imgSens"}},
        {"lblHazardN", {HAZARD, "lblHazardN"}},
        {"lblHazardB", {HAZARD, "lblHazardB"}},
        {"lblOptionN", {AFFICHEOPTION, "lblOptionN"}},
        {"lblOptionB", {AFFICHEOPTION, "lblOptionB"}},
        {"lblCopierN", {COPIER, "lblCopierN"}},
        {"lblCopierB", {COPIER, "lblCopierB"}},
        {"lblRepeterN", {REPETER, "lblRepeterN"}},
        {"lblRepeterB", {REPETER, "lblRepeterB"}},
        {"lblDureeN", {AFFICHENEGATIF, ""}},
        {"lblDureeB", {AFFICHENEGATIF, ""}},
    };
    for (const auto& [element, hover] : kTable)
        if (element == name) return hover;
    return ViewHover{ARIEN, ""};
}

Rect SelectionAround(const Rect& r) {
    return {r.left - 1, r.top - 1, r.width + 3, r.height + 2};
}

bool ClosesOnDoubleClick(std::string_view name) {
    return name.empty() || name == "lblDureeN" || name == "lblDureeB" || name == "lblTitreB";
}

bool ClosesOnClick(std::string_view name) {
    return name == "lblTitreN";
}

std::optional<int> ViewSeekSecond(const Scene& scene, int x, int y,
                                  const std::function<int()>& length) {
    const Rect& bar = scene["shaAvanceB"].bounds;
    const int l = scene["shaBord1B"].bounds.left;
    const int r = scene["shaBord2B"].bounds.left;
    if (!(bar.top - bar.height < y && y < bar.top + bar.height)) return std::nullopt;
    if (!(l < x && x < r)) return std::nullopt;
    const long long d = length();
    if (d <= 0) return std::nullopt;
    return static_cast<int>(d * (x - l) / (r - l) + 2);
}

std::optional<ProgressBar> ViewProgress(int e, int d, int L, int R, bool remaining) {
    if (d == 0) return std::nullopt;
    if (d < 0) return ProgressBar{L, 0};
    const long long played = std::clamp(e, 0, d);
    if (remaining) {
        const int left = static_cast<int>(static_cast<long long>(R - L) * played / d + L + 1);
        return ProgressBar{left, std::max(0, R - left)};
    }
    return ProgressBar{L, static_cast<int>(static_cast<long long>(R - L - 2) * played / d + L)};
}

} // namespace pilotune
