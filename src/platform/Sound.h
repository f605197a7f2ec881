#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QSoundEffect;

namespace platform {

// Plays WAV files asynchronously, standing in for the system's sound service.
// One sound at a time: a new one cuts off the one still playing. Without an
// audio device nothing is heard and nothing is reported.
class Sound : public QObject
{
    Q_OBJECT

public:
    // Tests give their own player, so nothing is heard and every play is seen.
    using Player = std::function<void(const QString &path)>;

    explicit Sound(QObject *parent = nullptr);
    ~Sound() override;

    // Loads the file now, so its first play starts without delay.
    void preload(const QString &path);
    // Returns at once.
    void play(const QString &path);
    void setPlayer(Player player);

private:
    QSoundEffect *effect(const QString &path);

    QHash<QString, QSoundEffect *> m_effects; // children of this object
    QSoundEffect *m_playing = nullptr;
    Player m_player;
};

// The path of the file in the folder when it exists there, else empty: an
// empty path is never played.
QString soundFilePath(const QString &folder, const QString &fileName);

} // namespace platform
