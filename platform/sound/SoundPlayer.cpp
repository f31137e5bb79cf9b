// Loaded by the program's own sound player on the first sound (platform/Sound.cpp).
#include <QCoreApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

extern "C" Q_DECL_EXPORT void veltrane_play_sound(const QString& path) {
    // One effect for the program: a new sound cuts the one still playing, as
    // the system's own asynchronous sound call does. It lives as long as the
    // application, so a sound is never cut by its player going away.
    static QSoundEffect* effect = nullptr;
    if (effect)
        effect->stop();
    // A file that is not there stays silent without opening the audio output
    // for it.
    if (!QFileInfo(path).isFile())
        return;
    if (!effect)
        effect = new QSoundEffect(QCoreApplication::instance());
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}
