// The pause between two pieces of background music on the real MIDI sequencer: a piece
// is played to its end, and on the end report the next one is opened and played, as
// the music player does. Prints, for each change of piece, the time from the end report
// to the next piece playing, and the time the first piece took to start.
//
// Needs an audio output; on a machine without a sound card start a PulseAudio null sink
// first (see the README of the tests). Run: build/bench/musicgap [pieces]

#include "mediacontrol.h"
#include "mediafiles.h"
#include "mediafixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int pieces = argc > 1 ? std::max(2, atoi(argv[1])) : 4;
    QTemporaryDir dir;
    QStringList files;
    for (int k = 0; k < pieces; ++k) {
        files << dir.filePath(QStringLiteral("%1.mid").arg(k));
        Fixtures::write(files.last(), Fixtures::midi(4, 240)); // one second
    }
    const qint64 pieceMs = MediaFiles::midiDurationMs(files.first());

    MediaControl player;
    player.setDeviceType(QStringLiteral("Sequencer"));
    QElapsedTimer clock, whole;
    int next = 0;
    auto playNext = [&] {
        clock.restart();
        player.setCommand(QStringLiteral("close"));
        player.setFileName(files.at(next++));
        player.setCommand(QStringLiteral("open"));
        player.setNotify(true);
        player.setCommand(QStringLiteral("play"));
        if (!player.isPlaying()) {
            std::fprintf(stderr, "the sequencer does not play (no audio output?)\n");
            app.exit(1);
            return;
        }
        std::printf("piece %d playing %.1f ms after the %s (at %lld ms)\n", next, clock.nsecsElapsed() / 1e6,
                    next == 1 ? "start" : "end of the one before", whole.elapsed());
    };
    QObject::connect(&player, &MediaControl::done, &app, [&](int) {
        if (next < pieces) {
            playNext();
        } else {
            // The device may start a piece after play returns (it loads in the background):
            // the whole run against the pieces' own length shows every pause.
            std::printf("%d pieces of %lld ms took %lld ms from the first play to the last end\n", pieces,
                        pieceMs, whole.elapsed());
            app.quit();
        }
    });
    QMetaObject::invokeMethod(
        &app,
        [&] {
            whole.start();
            playNext();
        },
        Qt::QueuedConnection);
    return app.exec();
}
