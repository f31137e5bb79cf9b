#include "windows/Pictures.h"

#include "platform/ProgramFolder.h"

#include <QIconEngine>
#include <QPixmapCache>

QPixmap ProgramPicture(const QString& fileName) {
    // Every Today view, record list and dialog shows the same few pictures;
    // each file is read once, not again at every view switch or opening.
    const QString path = platform::ShippedFile(fileName);
    QPixmap picture;
    if (!QPixmapCache::find(path, &picture) && picture.load(path))
        QPixmapCache::insert(path, picture);
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        const QPixmap picture = ProgramPicture(QStringLiteral("veltrane-%1.png").arg(QLatin1String(size)));
        if (!picture.isNull())
            icon.addPixmap(picture);
    }
    return icon;
}

namespace {

// A shipped picture as an icon, read when it is first wanted: a list made
// empty, as the Today view's often are, never reads its rows' pictures.
class ProgramPictureIconEngine : public QIconEngine {
public:
    explicit ProgramPictureIconEngine(QString fileName) : m_fileName(std::move(fileName)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("VeltraneProgramPicture"); }
    QIconEngine* clone() const override { return new ProgramPictureIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!m_read) {
            m_read = true;
            const QPixmap picture = ProgramPicture(m_fileName);
            if (!picture.isNull())
                m_icon = QIcon(picture);
        }
        return m_icon;
    }

    QString m_fileName;
    QIcon m_icon;
    bool m_read = false;
};

} // namespace

QList<QIcon> ListViewIcons() {
    QList<QIcon> icons;
    for (const char* name : {"list-task.png", "list-meeting.png", "list-note.png", "list-password.png"})
        icons.append(QIcon(new ProgramPictureIconEngine(QLatin1String(name))));
    return icons;
}
