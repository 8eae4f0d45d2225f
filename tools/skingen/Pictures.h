#pragma once

// Draws the pictures the windows show (background, blades, orientation, preview and
// registration-mark pictures) from their names.

#include "skin/SkinPictures.h"

class CCaptionFonts;

#include <QImage>

#include <string_view>

// languageFolder: the bitmap folder the file goes to ("BMP/ENG" …), which picks the language
// of the captions. A null image when the name is not one this generator knows how to draw, or
// when a caption cannot be drawn whole in its font.
QImage DrawPicture(const skin::PictureFile& file, std::string_view languageFolder,
                   const CCaptionFonts& fonts);
