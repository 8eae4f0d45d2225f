#include "ui/main/OrientationPictures.h"

#include "skin/SkinPictures.h"
#include "ui/main/ControllerLayout.h"

std::vector<PlacedPicture> OrientationPictures(const OrientationView& view) {
    const int design = view.designOrientation;
    const bool marks = view.marksDrawn;
    return {
        {layout::kDesignPortraitPicture, skin::DesignPictureName(1, marks)},
        {layout::kDesignLandscapePicture, skin::DesignPictureName(0, marks)},
        {layout::kMediaRotatedPicture, skin::MediaPictureName(1, design, marks)},
        {layout::kMediaUnrotatedPicture, skin::MediaPictureName(0, design, marks)},
        {layout::kPreviewPicture,
         skin::PreviewPictureName(design, view.mediaOrientation, marks, view.mirror)},
    };
}
