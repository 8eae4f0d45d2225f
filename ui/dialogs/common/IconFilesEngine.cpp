#include "ui/dialogs/common/IconFilesEngine.h"

#include "skin/SkinControl.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

CIconFilesEngine::CIconFilesEngine(std::map<int, QString> files) : m_files(std::move(files)) {}

int CIconFilesEngine::FileSizeFor(const QSize& size) const {
    const auto fit = m_files.lower_bound(std::max(size.width(), size.height()));
    return fit != m_files.end() ? fit->first : m_files.rbegin()->first;
}

const QImage& CIconFilesEngine::Picture(int fileSize) {
    auto read = m_read.find(fileSize);
    if (read == m_read.end()) {
        read = m_read.emplace(fileSize, skin::ReadPicture(m_files.at(fileSize))).first;
    }
    return read->second;
}

QPixmap CIconFilesEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
    if (m_files.empty() || size.isEmpty()) {
        return {};
    }
    const QImage& picture = Picture(FileSizeFor(size));
    if (picture.isNull() ||
        (picture.width() <= size.width() && picture.height() <= size.height())) {
        return QPixmap::fromImage(picture);
    }
    return QPixmap::fromImage(picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QSize CIconFilesEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    if (m_files.empty() || size.isEmpty()) {
        return {};
    }
    const int fileSize = FileSizeFor(size);
    return QSize(fileSize, fileSize)
        .scaled(size.boundedTo(QSize(fileSize, fileSize)), Qt::KeepAspectRatio);
}

void CIconFilesEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State state) {
    const QPixmap drawn = pixmap(rect.size(), mode, state);
    QRect target(QPoint(), drawn.size());
    target.moveCenter(rect.center());
    painter->drawPixmap(target, drawn);
}

QList<QSize> CIconFilesEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (const auto& [size, file] : m_files) {
        sizes.append(QSize(size, size));
    }
    return sizes;
}

QIconEngine* CIconFilesEngine::clone() const {
    return new CIconFilesEngine(*this);
}

QString CIconFilesEngine::key() const {
    return QStringLiteral("CIconFilesEngine");
}

bool CIconFilesEngine::isNull() {
    return m_files.empty();
}
