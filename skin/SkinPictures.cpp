#include "skin/SkinPictures.h"

namespace skin {

std::string DesignPictureName(int design, bool marks) {
    return std::string(design == 1 ? "/IMG_PORTRAIT" : "/IMG_LANDSCAPE") + (marks ? "_TB" : "") +
           ".BMP";
}

std::string MediaPictureName(int media, int design, bool marks) {
    return std::string(media == 1 ? "/RT_ON" : "/RT_OFF") +
           (design == 1 ? "_PORTRAIT" : "_LANDSCAPE") + (marks ? "_TB" : "") + ".BMP";
}

std::string PreviewPictureName(int design, int media, bool marks, bool mirror) {
    return std::string("/PT_") + (design == 1 ? "PR" : "LS") + (media == 1 ? "_ON" : "_OFF") +
           (marks ? "_TB" : "") + (mirror ? "_MR" : "") + ".BMP";
}

std::string MarkAreaPictureName(int media, int markType) {
    return std::string("/TB_AREA_RT_") + (media == 1 ? "ON" : "OFF") +
           (markType == 1 ? "_OUTSIDE" : "_INSIDE") + ".BMP";
}

namespace {

std::vector<PictureFile> BuildPictureList() {
    const auto common = PictureFolder::Common;
    std::vector<PictureFile> list;
    list.push_back({std::string(kMainBackground), common, kMainWidth, kMainHeight});
    list.push_back({std::string(kBladeNeutral), common, kBladeSmallWidth, kBladeSmallHeight});
    for (const BladePictures& blade : kBladePictures) {
        list.push_back({std::string(blade.small), common, kBladeSmallWidth, kBladeSmallHeight});
        list.push_back({std::string(blade.large), common, kBladeLargeWidth, kBladeLargeHeight});
    }
    for (int marks = 0; marks < 2; ++marks) {
        for (int design = 0; design < 2; ++design) {
            list.push_back(
                {DesignPictureName(design, marks), common, kOrientationWidth, kOrientationHeight});
            for (int media = 0; media < 2; ++media) {
                list.push_back({MediaPictureName(media, design, marks), common, kOrientationWidth,
                                kOrientationHeight});
                for (int mirror = 0; mirror < 2; ++mirror) {
                    list.push_back({PreviewPictureName(design, media, marks, mirror), common,
                                    kPreviewSize, kPreviewSize});
                }
            }
        }
    }
    list.push_back({std::string(kMarkTypeInside), common, kMarkTypeWidth, kMarkTypeHeight});
    list.push_back({std::string(kMarkTypeOutside), common, kMarkTypeWidth, kMarkTypeHeight});
    for (int media = 0; media < 2; ++media) {
        for (int type = 0; type < 2; ++type) {
            list.push_back(
                {MarkAreaPictureName(media, type), common, kMarkAreaWidth, kMarkAreaHeight});
        }
    }
    list.push_back({std::string(kMarkAreaDisabled), common, kMarkAreaWidth, kMarkAreaHeight});
    list.push_back({std::string(kMarkLengthThickness), PictureFolder::Language, kMarkLengthWidth,
                    kMarkLengthHeight});
    return list;
}

} // namespace

const std::vector<PictureFile>& AllPictures() {
    static const std::vector<PictureFile> list = BuildPictureList();
    return list;
}

} // namespace skin
