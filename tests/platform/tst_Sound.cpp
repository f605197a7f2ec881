#include "platform/Sound.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// A short mono 16-bit WAV file of silence.
bool writeWav(const QString &path)
{
    constexpr quint32 samples = 800;
    constexpr quint32 dataBytes = samples * 2;
    QByteArray bytes;
    const auto put32 = [&bytes](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&le), 4);
    };
    const auto put16 = [&bytes](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&le), 2);
    };
    bytes.append("RIFF");
    put32(36 + dataBytes);
    bytes.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    bytes.append("data");
    put32(dataBytes);
    bytes.append(QByteArray(dataBytes, '\0'));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_Sound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void soundFilePathOnlyForExistingFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeWav(dir.filePath(QStringLiteral("start.wav"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("stopp.wav")));

        QCOMPARE(platform::soundFilePath(dir.path(), QStringLiteral("start.wav")),
                 dir.filePath(QStringLiteral("start.wav")));
        QCOMPARE(platform::soundFilePath(dir.path(), QStringLiteral("missing.wav")), QString());
        // A folder of that name is no sound.
        QCOMPARE(platform::soundFilePath(dir.path(), QStringLiteral("stopp.wav")), QString());
    }

    void aPlayerSeesEveryPlayButNoPreload()
    {
        platform::Sound sound;
        QStringList played;
        sound.setPlayer([&played](const QString &path) { played << path; });
        sound.preload(QStringLiteral("/x/start.wav"));
        sound.play(QStringLiteral("/x/start.wav"));
        sound.play(QStringLiteral("/x/stopp.wav"));
        QCOMPARE(played, (QStringList{u"/x/start.wav"_qs, u"/x/stopp.wav"_qs}));
        QVERIFY(sound.findChildren<QSoundEffect *>().isEmpty());
    }

    void playsWithoutAnAudioDevice()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString start = dir.filePath(QStringLiteral("start.wav"));
        const QString stop = dir.filePath(QStringLiteral("stopp.wav"));
        QVERIFY(writeWav(start) && writeWav(stop));

        platform::Sound sound;
        sound.preload(start);
        sound.preload(QString()); // nothing to load
        QCOMPARE(sound.findChildren<QSoundEffect *>().size(), 1);
        // Each file is loaded once, however often it plays; a missing file
        // plays nothing and reports nothing.
        sound.play(start);
        sound.play(stop);
        sound.play(start);
        sound.play(dir.filePath(QStringLiteral("missing.wav")));
        QCOMPARE(sound.findChildren<QSoundEffect *>().size(), 3);
        QTest::qWait(50);
    }
};

QTEST_MAIN(tst_Sound)
#include "tst_Sound.moc"
