#pragma once
// Ids of the program's pictures: the transport buttons (by their element
// names "imgRecule", "imgJoue", "imgPause", "imgStop", "imgAvance",
// "imgFerme"), their normal pictures, the record mark and the four mode
// pictures. A form's picture element holds one of them; PicturesWin32 draws it.
namespace pilotune::pictures {

inline constexpr const char* kJoue = "imgJoueS";
inline constexpr const char* kEnregistre = "imgEnregistreS";
inline constexpr const char* kStop = "imgStopS";
inline constexpr const char* kNormale = "imgNormale";
inline constexpr const char* kBoucle = "imgBoucle";
inline constexpr const char* kExtrait = "imgExtrait";
inline constexpr const char* kExtraitBoucle = "imgExtraitBoucle";

// The grid the pictures are designed on; a picture is scaled from it to the
// bounds it is drawn into.
inline constexpr int kButtonGrid = 10;    // buttons and the record mark: 10 x 10
inline constexpr int kModeGridWidth = 21; // mode pictures: 21 x 12
inline constexpr int kModeGridHeight = 12;

} // namespace pilotune::pictures
