#include "skin/SkinControl.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QVariant>

#include <algorithm>

namespace skin {

bool AttachControl(QWidget* control, QWidget* dialog, int id) {
    if (control == nullptr || dialog == nullptr || id <= 0) {
        return false;
    }
    const QWidget* holder = FindControl(dialog, id);
    if (holder != nullptr && holder != control) {
        return false;
    }
    if (control->parentWidget() != dialog) {
        control->setParent(dialog);
    }
    control->setProperty(kControlIdProperty, id);
    return true;
}

QWidget* FindControl(const QWidget* dialog, int id) {
    if (dialog == nullptr) {
        return nullptr;
    }
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (ControlId(child) == id) {
            return child;
        }
    }
    return nullptr;
}

int ControlId(const QWidget* control) {
    const QVariant id = control->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

bool IsDialogInFront(const QWidget* control) {
    const QWidget* dialog = control->window();
    for (const QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget()) {
        if (w == dialog) {
            return true;
        }
    }
    return false;
}

QFont CaptionFont(int height) {
    QFont font = QApplication::font();
    if (height > 0) {
        font.setPixelSize(height);
    }
    return font;
}

QImage ReadPicture(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage LoadScaledPicture(const QString& path, QSize size) {
    QImage picture = ReadPicture(path);
    if (picture.isNull()) {
        return {};
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    if (picture.size() != size) {
        picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return picture;
}

bool LoadSkinPictures(const CSkinFolders& folders, std::span<const std::string_view> names,
                      QSize size, std::vector<QImage>& pictures) {
    std::vector<QImage> loaded;
    loaded.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        // Faces often share a file (a button's focused face is its up face): read it once,
        // the copies share the pixels.
        const auto earlier = std::find(names.begin(), names.begin() + i, names[i]);
        QImage picture = earlier != names.begin() + i
                             ? loaded[static_cast<std::size_t>(earlier - names.begin())]
                             : LoadScaledPicture(folders.ControlSkin(names[i]), size);
        if (picture.isNull()) {
            return false;
        }
        loaded.push_back(std::move(picture));
    }
    pictures = std::move(loaded);
    return true;
}

} // namespace skin
