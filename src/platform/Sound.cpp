#include "platform/Sound.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

Sound::Sound(QObject *parent)
    : QObject(parent)
{
}

Sound::~Sound() = default;

QSoundEffect *Sound::effect(const QString &path)
{
    QSoundEffect *&effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}

void Sound::preload(const QString &path)
{
    if (!m_player && !path.isEmpty())
        effect(path);
}

void Sound::play(const QString &path)
{
    if (m_player) {
        m_player(path);
        return;
    }
    // Stopping never waits for the device: without one, isPlaying() may stay
    // true for good.
    if (m_playing)
        m_playing->stop();
    m_playing = effect(path);
    m_playing->play();
}

void Sound::setPlayer(Player player)
{
    m_player = std::move(player);
}

QString soundFilePath(const QString &folder, const QString &fileName)
{
    const QString path = QDir(folder).filePath(fileName);
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace platform
