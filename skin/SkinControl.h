#pragma once

// What every skinned control shares: attaching to its dialog under a control id, loading and
// scaling its state pictures, the caption font and the "dialog in front" test.

#include "skin/SkinFolders.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <span>
#include <string_view>
#include <vector>

namespace skin {

// The dynamic property that holds a dialog child's control id.
inline constexpr char kControlIdProperty[] = "controlId";

// Makes control a child of dialog known under id. Fails when there is no dialog, the id is not
// positive, or another child of the dialog already has that id.
bool AttachControl(QWidget* control, QWidget* dialog, int id);
// The dialog's child known under id, or nullptr.
QWidget* FindControl(const QWidget* dialog, int id);
// The control id of a child, 0 when it has none.
int ControlId(const QWidget* control);

// Whether the control's dialog, or a window it opened, is the active window. When another
// program's window has come to the front, held controls let go.
bool IsDialogInFront(const QWidget* control);

// The font of captions: the default GUI font at the given pixel height.
QFont CaptionFont(int height);

// A picture file read in the format its suffix names (BMP, PNG): a null image when the file
// cannot be read as that. The format is not guessed from the content, which would make Qt
// load and ask every image plugin it has.
QImage ReadPicture(const QString& path);

// A picture file read from disk and stretched to size with a plain copy (no smoothing);
// a null image when the file cannot be read.
QImage LoadScaledPicture(const QString& path, QSize size);

// Loads every named control skin at one size; false when any of them cannot be read.
bool LoadSkinPictures(const CSkinFolders& folders, std::span<const std::string_view> names,
                      QSize size, std::vector<QImage>& pictures);

} // namespace skin
