#include "SkinTestBed.h"

#include "skin/SkinKinds.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {

class EventRecorder : public QObject {
public:
    explicit EventRecorder(std::vector<QEvent::Type>& seen) : m_seen(seen) {}
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            m_seen.push_back(event->type());
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::vector<QEvent::Type>& m_seen;
};

template <typename Kinds> void CollectNames(const Kinds& kinds, std::vector<std::string>& names) {
    for (const auto& kind : kinds) {
        for (std::string_view name : kind.pictures) {
            names.emplace_back(name);
        }
    }
}

} // namespace

void SkinTestBed::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("BMP/CMN")));
    std::vector<std::string> names;
    CollectNames(skin::kButtonKinds, names);
    CollectNames(skin::kArrowKinds, names);
    CollectNames(skin::kToggleKinds, names);
    CollectNames(skin::kComboKinds, names);
    CollectNames(skin::kSliderKinds, names);
    int index = 0;
    for (const std::string& name : names) {
        if (m_colours.count(name) == 0) {
            // Red alone tells the files apart; green and blue keep them away from black.
            const QColor colour(20 + 3 * index, 200 - index, 60 + (index * 37) % 150);
            m_colours.emplace(name, colour);
            WriteSkin(name, QSize(8, 8), colour);
            ++index;
        }
    }
    m_dialog = std::make_unique<QDialog>();
    m_dialog->resize(640, 480);
    m_recorder = std::make_unique<EventRecorder>(m_seen);
    m_dialog->installEventFilter(m_recorder.get());
    m_dialog->show();
    m_dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
}

void SkinTestBed::TearDown() {
    m_other.reset();
    m_dialog.reset();
}

QColor SkinTestBed::ColourOf(std::string_view name) const {
    return m_colours.at(std::string(name));
}

void SkinTestBed::RemoveSkin(std::string_view name) const {
    ASSERT_TRUE(QFile::remove(Folders().ControlSkin(name)));
}

void SkinTestBed::WriteSkin(std::string_view name, QSize size, const QColor& colour) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(Folders().ControlSkin(name), "BMP"));
}

QColor SkinTestBed::PixelAt(QWidget* control, QPoint point) {
    return control->grab().toImage().pixelColor(point);
}

void SkinTestBed::Mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint pos,
                        Qt::KeyboardModifiers modifiers) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, modifiers);
    QApplication::sendEvent(w, &event);
}

void SkinTestBed::Key(QWidget* w, QEvent::Type type, int key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &event);
}

void SkinTestBed::ActivateOtherWindow() {
    m_other = std::make_unique<QWidget>();
    m_other->resize(100, 100);
    m_other->show();
    m_other->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_other.get()));
}

int SkinTestBed::DialogSaw(QEvent::Type type) const {
    return static_cast<int>(std::count(m_seen.begin(), m_seen.end(), type));
}
