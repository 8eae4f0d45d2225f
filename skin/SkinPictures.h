#pragma once

// Every picture file the windows draw (not the control skins): its name with its own leading
// separator, the folder it lies in, and the size it is drawn at. The size is the one the
// generator gives the file; windows stretch whatever file they find to their own rectangle.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

enum class PictureFolder { Common, Language };

struct PictureFile {
    std::string name;
    PictureFolder folder;
    int width;
    int height;
};

// Sizes of the drawn areas, shared by the windows and the generator.
inline constexpr int kMainWidth = 670, kMainHeight = 465;
inline constexpr int kBladeSmallWidth = 70, kBladeSmallHeight = 100;
inline constexpr int kBladeLargeWidth = 105, kBladeLargeHeight = 150;
inline constexpr int kOrientationWidth = 72, kOrientationHeight = 54;
inline constexpr int kPreviewSize = 120;
inline constexpr int kMarkTypeWidth = 64, kMarkTypeHeight = 64;
inline constexpr int kMarkAreaWidth = 136, kMarkAreaHeight = 104;
inline constexpr int kMarkLengthWidth = 136, kMarkLengthHeight = 64;

// The blade pictures, small (main window) and large (condition edit dialog), one pair per
// blade shape of the blade catalogues.
struct BladePictures {
    std::string_view small;
    std::string_view large;
};
inline constexpr std::array<BladePictures, 9> kBladePictures{{
    {"/CUT_LM200SERIES.BMP", "/CUT_LM200SERIES_BIG.BMP"},
    {"/CUT_LM300SERIES.BMP", "/CUT_LM300SERIES_BIG.BMP"},
    {"/CUT_LM400SERIES.BMP", "/CUT_LM400SERIES_BIG.BMP"},
    {"/CUT_BLUE_1.BMP", "/CUT_BLUE_1_BIG.BMP"},
    {"/CUT_BLUE_2.BMP", "/CUT_BLUE_2_BIG.BMP"},
    {"/CUT_RED.BMP", "/CUT_RED_BIG.BMP"},
    {"/CUT_GREEN.BMP", "/CUT_GREEN_BIG.BMP"},
    {"/CUT_PNH40-TQ20.BMP", "/CUT_PNH40-TQ20_BIG.BMP"},
    {"/CUT_OTHER.BMP", "/CUT_OTHER_BIG.BMP"},
}};

inline constexpr std::string_view kMainBackground = "/BG_MAIN.BMP";
inline constexpr std::string_view kBladeNeutral = "/CUT_ALL_DIS.BMP";

// Design orientation 0 is the landscape design, 1 the portrait one; media orientation 1 is
// the rotated placement ("_ON"), 0 the unrotated one.
std::string DesignPictureName(int design, bool marks);
std::string MediaPictureName(int media, int design, bool marks);
std::string PreviewPictureName(int design, int media, bool marks, bool mirror);

// Registration-mark settings pictures.
inline constexpr std::string_view kMarkTypeInside = "/TB_INSIDE.BMP";
inline constexpr std::string_view kMarkTypeOutside = "/TB_OUTSIDE.BMP";
inline constexpr std::string_view kMarkAreaDisabled = "/TB_AREA_DISABLE.BMP";
inline constexpr std::string_view kMarkLengthThickness = "/TB_LENGTH_THICKNESS.BMP";
// The Area picture for a media orientation (0 or 1) and mark type (0 inside, 1 outside).
std::string MarkAreaPictureName(int media, int markType);

// Every picture file above with its folder and generated size.
const std::vector<PictureFile>& AllPictures();

} // namespace skin
